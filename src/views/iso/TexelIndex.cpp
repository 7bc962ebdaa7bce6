// The texel index: one pass over the pick buffer, row by row from the bottom.
#include "views/iso/TexelIndex.h"

#include <new>

namespace varp {

bool TexelIndex::Build(const uint32_t* picks, int width, int height, size_t texels) {
    built_ = false;
    texels_ = 0;
    try {
        if (boxes_.size() < texels) boxes_.resize(texels);
    } catch (const std::bad_alloc&) {
        boxes_ = {};
        return false;
    }
    std::fill(boxes_.begin(), boxes_.begin() + static_cast<ptrdiff_t>(texels), PixelBox{});
    PixelBox* const boxes = boxes_.data();
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = picks + static_cast<size_t>(y) * static_cast<size_t>(width);
        const auto y16 = static_cast<int16_t>(y);
        for (int x = 0; x < width; ++x) {
            if (row[x] >= texels) continue;
            // Rows come in ascending order: the first sets the bottom, each the top.
            PixelBox& b = boxes[row[x]];
            const auto x16 = static_cast<int16_t>(x);
            b.Left = std::min(b.Left, x16);
            b.Right = std::max(b.Right, x16);
            b.Bottom = std::min(b.Bottom, y16);
            b.Top = y16;
        }
    }
    texels_ = texels;
    built_ = true;
    return true;
}

}  // namespace varp
