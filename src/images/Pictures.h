// Pictures resized and skins turned into colours: nearest-neighbour scaling both ways.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ImageCodec.h"

namespace varp {

// The picture at width x height, each pixel the one of the picture under its centre.
RgbaPicture ScaleNearest(const RgbaPicture& picture, int width, int height);

// Palette indices as colours, each texel a scale x scale block (opaque).
RgbaPicture ColoursOf(const uint8_t* indices, int width, int height, const uint8_t* palette,
                      int scale);

// Palette indices enlarged, each texel a scale x scale block.
std::vector<uint8_t> EnlargeIndices(const uint8_t* indices, int width, int height, int scale);

}  // namespace varp
