// 256-colour PCX skins: the codec between a file's bytes and a skin's texels and palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "formats/ByteView.h"

namespace varp {

inline constexpr size_t PcxHeaderSize = 128;
inline constexpr size_t PaletteSize = 768;

// Decodes a whole PCX file held in memory into a new skin (Name, Path and OnDisk left for the
// caller). Null when the file cannot be an image: too short for a header and palette, a
// maximum below its minimum, a size beyond 32767, or pixel data that ends before the image.
std::unique_ptr<SkinImage> DecodePcx(ByteView file);

// The file this system writes: an unpadded 8-bit single-plane image in which every pixel of
// 0xC0 or above is written as a one-pixel run.
std::vector<uint8_t> EncodePcx(const uint8_t* pixels, int width, int height,
                               const uint8_t* palette);

}  // namespace varp
