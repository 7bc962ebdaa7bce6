// The texel index: a counting sort of the pick buffer, in two passes over it.
#include "views/iso/TexelIndex.h"

#include <algorithm>
#include <new>

namespace varp {

bool TexelIndex::Build(const uint32_t* picks, size_t count, size_t texels) {
    built_ = false;
    texels_ = 0;
    try {
        if (starts_.size() < texels + 2) starts_.resize(texels + 2);
        if (pixels_.size() < count) pixels_.resize(count);
    } catch (const std::bad_alloc&) {
        starts_ = {};
        pixels_ = {};
        return false;
    }
    // Texel e's count goes to starts_[e + 2]; after the running sum starts_[e + 1] is where its
    // run begins, and filling moves it on to where the run ends, which is where texel e + 1's
    // begins: starts_[e] .. starts_[e + 1] is then texel e's run.
    uint32_t* const starts = starts_.data();
    std::fill(starts, starts + texels + 2, 0u);
    for (size_t i = 0; i < count; ++i) {
        if (picks[i] < texels) ++starts[picks[i] + 2];
    }
    for (size_t e = 2; e < texels + 2; ++e) starts[e] += starts[e - 1];
    uint32_t* const pixels = pixels_.data();
    for (size_t i = 0; i < count; ++i) {
        if (picks[i] < texels) pixels[starts[picks[i] + 1]++] = static_cast<uint32_t>(i);
    }
    texels_ = texels;
    built_ = true;
    return true;
}

}  // namespace varp
