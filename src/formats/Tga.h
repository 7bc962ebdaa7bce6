// Truevision TGA files as the engines load replacement skins: 32-bit, uncompressed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ImageCodec.h"

namespace varp {

// An uncompressed true-colour TGA of 32 bits a pixel (blue, green, red, alpha), rows top first
// as the descriptor says, with no image id and no colour map, and the version 2 footer.
std::vector<uint8_t> EncodeTga(const RgbaPicture& picture);

}  // namespace varp
