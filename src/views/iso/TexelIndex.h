// Where each texel shows in the 3D view: per texel, the rectangle of the pixels whose pick names
// it, so that a stroke's texels are recoloured inside their rectangles, not over the whole pane.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace varp {

// Buffer columns left..right and rows bottom..top (row 0 the bottom line), inclusive; empty
// while left > right.
struct PixelBox {
    int16_t Left = INT16_MAX, Right = INT16_MIN, Bottom = INT16_MAX, Top = INT16_MIN;
    bool Empty() const { return Left > Right; }
    void Add(const PixelBox& b) {
        Left = std::min(Left, b.Left);
        Right = std::max(Right, b.Right);
        Bottom = std::min(Bottom, b.Bottom);
        Top = std::max(Top, b.Top);
    }
};

class TexelIndex {
  public:
    // The picks it was built from were rewritten: the next Build starts again.
    void Invalidate() { built_ = false; }
    bool Built() const { return built_; }

    // One pass over a width x height pick buffer: for every entry below `texels`, its pixel
    // joins that texel's box; other entries (the pane's "nothing here") are left out. The box
    // table grows only for a larger skin than any before, so a rebuild after a render
    // allocates nothing. Returns false, built for nothing, when that memory cannot be had.
    bool Build(const uint32_t* picks, int width, int height, size_t texels);

    // The box of the pixels showing texel `offset`: empty when none does or the offset lies
    // past the texels built for.
    PixelBox BoxOf(size_t offset) const { return offset < texels_ ? boxes_[offset] : PixelBox{}; }

  private:
    std::vector<PixelBox> boxes_;
    size_t texels_ = 0;
    bool built_ = false;
};

}  // namespace varp
