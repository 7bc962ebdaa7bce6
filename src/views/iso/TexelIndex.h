// Which pixels of the 3D view show each texel: the pick buffer sorted by its entries, so that a
// stroke's texels are recoloured without a pass over the whole pane.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varp {

class TexelIndex {
  public:
    // The picks it was built from were rewritten: the next Build starts again.
    void Invalidate() { built_ = false; }
    bool Built() const { return built_; }

    // A counting sort of `count` pick entries: for every entry below `texels`, its pixel (the
    // index into the picks) is listed under that texel, ascending; other entries (the pane's
    // "nothing here") are left out. The arrays grow only for a larger pane or skin than any
    // before, so a rebuild after a render allocates nothing. Returns false, built for nothing,
    // when that memory cannot be had.
    bool Build(const uint32_t* picks, size_t count, size_t texels);

    // The pixels showing texel `offset`, ascending; none for an offset past the texels built for.
    std::span<const uint32_t> PixelsOf(size_t offset) const {
        if (offset >= texels_) return {};
        return {pixels_.data() + starts_[offset], pixels_.data() + starts_[offset + 1]};
    }

  private:
    // starts_[e] .. starts_[e + 1] is texel e's run of pixels_; texels_ + 2 entries are used
    // while sorting.
    std::vector<uint32_t> starts_;
    std::vector<uint32_t> pixels_;
    size_t texels_ = 0;
    bool built_ = false;
};

}  // namespace varp
