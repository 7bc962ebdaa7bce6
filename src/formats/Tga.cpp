// The TGA writer. Qt's TGA plugin only reads, so this system writes the file itself.
#include "formats/Tga.h"

#include <string_view>

namespace varp {

namespace {

constexpr size_t TgaHeaderSize = 18;
constexpr uint8_t UncompressedTrueColour = 2;
// Descriptor: 8 bits of alpha, and bit 5: the first row is the top one.
constexpr uint8_t TopFirstWithAlpha = 0x28;

}  // namespace

std::vector<uint8_t> EncodeTga(const RgbaPicture& picture) {
    std::vector<uint8_t> bytes(TgaHeaderSize, 0);
    bytes[2] = UncompressedTrueColour;
    bytes[12] = static_cast<uint8_t>(picture.Width);
    bytes[13] = static_cast<uint8_t>(picture.Width >> 8);
    bytes[14] = static_cast<uint8_t>(picture.Height);
    bytes[15] = static_cast<uint8_t>(picture.Height >> 8);
    bytes[16] = 32;
    bytes[17] = TopFirstWithAlpha;
    bytes.reserve(TgaHeaderSize + picture.Pixels.size() * 4);
    for (const Rgba& p : picture.Pixels) bytes.insert(bytes.end(), {p.b, p.g, p.r, p.a});
    // The version 2 footer: no extension area, no developer area, then the signature. Some
    // readers (Qt's among them) take only files that end so.
    bytes.insert(bytes.end(), 8, 0);
    for (const char c : std::string_view("TRUEVISION-XFILE."))
        bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(0);
    return bytes;
}

}  // namespace varp
