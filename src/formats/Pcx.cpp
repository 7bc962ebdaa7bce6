// PCX codec: run-length decoding into a skin, and the simple encoding this system writes.
#include "formats/Pcx.h"

#include <algorithm>

namespace varp {

namespace {

void Put16(uint8_t* p, int value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::unique_ptr<SkinImage> DecodePcx(ByteView file) {
    const size_t size = file.Size();
    if (size < PcxHeaderSize + PaletteSize) return nullptr;
    const int xmin = file.U16(4), ymin = file.U16(6);
    const int xmax = file.U16(8), ymax = file.U16(10);
    if (xmax < xmin || ymax < ymin) return nullptr;
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (width > 32767 || height > 32767) return nullptr;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    // A pair of bytes gives at most 63 pixels: refuse before allocating what the data cannot fill.
    if (count > (size - PcxHeaderSize) * 32) return nullptr;

    auto skin = std::make_unique<SkinImage>();
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    const ByteView palette = file.From(size - PaletteSize);
    std::copy_n(palette.Data(), PaletteSize, skin->Palette.begin());
    skin->Pixels.resize(count);
    // The pixel stream is one run across rows; a run that passes the image's end is cut there.
    const ByteView data = file.From(PcxHeaderSize);
    size_t pos = 0, done = 0;
    uint8_t* out = skin->Pixels.data();
    while (done < count) {
        if (pos >= data.Size()) return nullptr;
        const uint8_t b = data.U8(pos++);
        if (b >= 0xC0) {
            if (pos >= data.Size()) return nullptr;
            const uint8_t value = data.U8(pos++);
            const size_t run = std::min<size_t>(b - 0xC0u, count - done);
            std::fill(out + done, out + done + run, value);
            done += run;
        } else {
            out[done++] = b;
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
