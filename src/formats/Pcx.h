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
// caller). Rows are as long as the header's bytes per line says, and only the first Width
// pixels of each are kept, so files of other programs with padded rows read exactly. Null,
// with the reason in *problem when given, for a file that is not a 256-colour image of one
// plane (its depth named), or that is damaged: too short for a header and palette, a maximum
// below its minimum, a side beyond 32767, rows shorter than the width, pixel data that ends
// before the image.
std::unique_ptr<SkinImage> DecodePcx(ByteView file, std::string* problem = nullptr);

// The file this system writes: an unpadded 8-bit single-plane image in which every pixel of
// 0xC0 or above is written as a one-pixel run.
std::vector<uint8_t> EncodePcx(const uint8_t* pixels, int width, int height,
                               const uint8_t* palette);

}  // namespace varp
