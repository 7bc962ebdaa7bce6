// PCX codec: run-length decoding into a skin, and the simple encoding this system writes.
#include "formats/Pcx.h"

#include <algorithm>

#include "formats/FileBytes.h"

namespace varp {

namespace {

int Read16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}

void Put16(uint8_t* p, int value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::unique_ptr<SkinImage> DecodePcx(const uint8_t* data, size_t size) {
    if (size < PcxHeaderSize + PaletteSize) return nullptr;
    const int xmin = Read16(data + 4), ymin = Read16(data + 6);
    const int xmax = Read16(data + 8), ymax = Read16(data + 10);
    if (xmax < xmin || ymax < ymin) return nullptr;
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (width > 32767 || height > 32767) return nullptr;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    // A pair of bytes gives at most 63 pixels: refuse before allocating what the data cannot fill.
    if (count > (size - PcxHeaderSize) * 32) return nullptr;

    auto skin = std::make_unique<SkinImage>();
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    std::copy(data + size - PaletteSize, data + size, skin->Palette.begin());
    skin->Pixels.resize(count);
    // The pixel stream is one run across rows; a run that passes the image's end is cut there.
    size_t pos = PcxHeaderSize, done = 0;
    uint8_t* out = skin->Pixels.data();
    while (done < count) {
        if (pos >= size) return nullptr;
        const uint8_t b = data[pos++];
        if (b >= 0xC0) {
            if (pos >= size) return nullptr;
            const uint8_t value = data[pos++];
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

std::unique_ptr<SkinImage> LoadSkinFile(Platform& sys, const std::string& name) {
    std::vector<uint8_t> bytes;
    std::string fullPath;
    if (!ReadWholeFile(sys, name, &bytes, &fullPath)) return nullptr;
    std::unique_ptr<SkinImage> skin = DecodePcx(bytes.data(), bytes.size());
    if (!skin) return nullptr;
    skin->Name = name;
    skin->Path = fullPath;
    skin->Flags = 0;
    skin->OnDisk = 1;
    return skin;
}

int SaveSkinFile(Platform& sys, const SkinImage& skin, const std::string& path) {
    return WriteWholeFile(
        sys, path, EncodePcx(skin.Pixels.data(), skin.Width, skin.Height, skin.Palette.data()));
}

std::unique_ptr<SkinImage> MakeTemporarySkin(const std::string& name, const std::string& path,
                                             int width, int height) {
    auto skin = std::make_unique<SkinImage>();
    skin->Name = name;
    skin->Path = path;
    skin->Flags = 0;
    skin->OnDisk = 0;
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    skin->Palette = GreyPalette();
    skin->Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool same = ((x >> 2) & 1) == ((y >> 2) & 1);
            skin->Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                         static_cast<size_t>(x)] = same ? 63 : 191;
        }
    }
    skin->StoredPixels = skin->Pixels;
    return skin;
}

}  // namespace varp
