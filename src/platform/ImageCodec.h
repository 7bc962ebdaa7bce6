// Picture files in the formats other painting programs use: the platform reads and writes them,
// the system sees only plain RGBA pixels (or indices with their palette).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varp {

// An RGBA pixel, 8 bits a channel, not premultiplied.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// A full-colour picture, rows top first.
struct RgbaPicture {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<Rgba> Pixels;  // Width x Height
};

// What a PNG file is written from: colours, or palette indices with their palette.
struct PictureToWrite {
    int32_t Width = 0;
    int32_t Height = 0;
    const Rgba* Colours = nullptr;     // Width x Height, or null for an indexed picture
    const uint8_t* Indices = nullptr;  // Width x Height palette indices when Colours is null
    const uint8_t* Palette = nullptr;  // 768 bytes of RGB triples, with Indices
};

class ImageCodec {
  public:
    // The largest picture read: no skin comes near it, and a file that claims more is refused
    // from its header, before anything is allocated.
    static constexpr int32_t MaxSide = 16384;
    static constexpr int64_t MaxPixels = int64_t{8192} * 8192;

    virtual ~ImageCodec() = default;
    // Reads a PNG, TGA, BMP or JPEG file (path in either form). False, with a message for the
    // user in *problem, for a file that cannot be opened, is of another kind, is damaged or is
    // larger than the bounds above.
    virtual bool Read(const std::string& path, RgbaPicture* picture, std::string* problem) = 0;
    // Writes a PNG file whole: the file on disk is replaced only once the write is complete.
    // False with the reason in *problem.
    virtual bool WritePng(const std::string& path, const PictureToWrite& picture,
                          std::string* problem) = 0;
};

}  // namespace varp
