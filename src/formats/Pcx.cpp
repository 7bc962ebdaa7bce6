// PCX codec: run-length decoding into a skin, and the simple encoding this system writes.
#include "formats/Pcx.h"

#include <algorithm>
#include <string>

namespace varp {

namespace {

void Put16(uint8_t* p, int value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

namespace {

// Why a PCX of another depth is not a skin, in the words a user knows the file by.
std::string DepthProblem(int bits, int planes) {
    const char* tail = "; skins use 256 colours: import it with Skins > Import Image.";
    if (bits == 8 && planes == 3) return std::string("This PCX holds 24-bit colour") + tail;
    if (bits == 8 && planes == 4) return std::string("This PCX holds 32-bit colour") + tail;
    const int depth = bits * planes;
    if (depth >= 1 && depth < 8 && (bits == 1 || bits == 2 || bits == 4)) {
        return "This PCX holds " + std::to_string(1 << depth) + " colours (" +
               std::to_string(depth) + (depth == 1 ? " bit" : " bits") + " a pixel)" + tail;
    }
    return "This PCX holds " + std::to_string(planes) + " planes of " + std::to_string(bits) +
           " bits; skins are 256-colour images of one plane of 8 bits.";
}

}  // namespace

std::unique_ptr<SkinImage> DecodePcx(ByteView file, std::string* problem) {
    std::string ignored;
    std::string& why = problem != nullptr ? *problem : ignored;
    why.clear();
    const size_t size = file.Size();
    const std::string damaged = "This PCX is damaged: ";
    if (size < PcxHeaderSize + PaletteSize) {
        why = damaged + "it is too short for a header and a palette.";
        return nullptr;
    }
    const int bits = file.U8(3), planes = file.U8(65);
    if (bits != 8 || planes != 1) {
        why = DepthProblem(bits, planes);
        return nullptr;
    }
    const int xmin = file.U16(4), ymin = file.U16(6);
    const int xmax = file.U16(8), ymax = file.U16(10);
    const int bytesPerLine = file.U16(66);
    if (xmax < xmin || ymax < ymin || xmax - xmin + 1 > 32767 || ymax - ymin + 1 > 32767) {
        why = damaged + "its size is not an image's.";
        return nullptr;
    }
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (bytesPerLine < width) {
        why = damaged + "its rows are shorter than its width.";
        return nullptr;
    }
    // Every row is bytesPerLine bytes: the ones past the width are padding (an odd width is
    // padded to an even count by most programs). The stream runs on across rows.
    const size_t line = static_cast<size_t>(bytesPerLine);
    const size_t stream = line * static_cast<size_t>(height);
    // A pair of bytes gives at most 63 pixels: refuse before allocating what the data cannot fill.
    if (stream > (size - PcxHeaderSize) * 32) {
        why = damaged + "its pixel data ends before the image does.";
        return nullptr;
    }

    auto skin = std::make_unique<SkinImage>();
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    const ByteView palette = file.From(size - PaletteSize);
    std::copy_n(palette.Data(), PaletteSize, skin->Palette.begin());
    skin->Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const ByteView data = file.From(PcxHeaderSize);
    size_t pos = 0, done = 0;  // done counts bytes of the stream, padding included
    uint8_t* out = skin->Pixels.data();
    const auto put = [&](uint8_t value, size_t run) {
        // A run that passes the image's end is cut there.
        run = std::min(run, stream - done);
        while (run > 0) {
            const size_t row = done / line, column = done % line;
            const size_t here = std::min(run, line - column);
            if (column < static_cast<size_t>(width)) {
                const size_t kept = std::min(here, static_cast<size_t>(width) - column);
                std::fill_n(out + row * static_cast<size_t>(width) + column, kept, value);
            }
            done += here;
            run -= here;
        }
    };
    while (done < stream) {
        if (pos >= data.Size()) {
            why = damaged + "its pixel data ends before the image does.";
            return nullptr;
        }
        const uint8_t b = data.U8(pos++);
        if (b >= 0xC0) {
            if (pos >= data.Size()) {
                why = damaged + "its pixel data ends before the image does.";
                return nullptr;
            }
            put(data.U8(pos++), b - 0xC0u);
        } else {
            put(b, 1);
        }
    }
    skin->StoredPixels = skin->Pixels;
    return skin;
}

std::vector<uint8_t> EncodePcx(const uint8_t* pixels, int width, int height,
                               const uint8_t* palette) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    size_t high = 0;
    for (size_t i = 0; i < count; ++i) high += pixels[i] >= 0xC0;
    std::vector<uint8_t> file(PcxHeaderSize + count + high + 1 + PaletteSize, 0);
    uint8_t* h = file.data();
    h[0] = 0x0A;  // manufacturer
    h[1] = 5;     // version
    h[2] = 1;     // run-length encoding
    h[3] = 8;     // bits per pixel
    Put16(h + 8, width - 1);
    Put16(h + 10, height - 1);
    Put16(h + 12, width);
    Put16(h + 14, height);
    h[65] = 1;  // colour planes
    Put16(h + 66, width);
    Put16(h + 68, 2);  // palette type
    uint8_t* out = h + PcxHeaderSize;
    for (size_t i = 0; i < count; ++i) {
        if (pixels[i] >= 0xC0) *out++ = 0xC1;
        *out++ = pixels[i];
    }
    *out++ = 0x0C;
    std::copy(palette, palette + PaletteSize, out);
    return file;
}

}  // namespace varp
