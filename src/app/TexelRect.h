// A rectangle of texels: what a stroke, an input event or an undo step changed.
#pragma once

#include <algorithm>
#include <cstdint>

namespace varp {

// A rectangle of texels, inclusive; empty while Left > Right.
struct TexelRect {
    int32_t Left = INT32_MAX;
    int32_t Top = INT32_MAX;
    int32_t Right = INT32_MIN;
    int32_t Bottom = INT32_MIN;

    bool Empty() const { return Left > Right || Top > Bottom; }
    void Add(int32_t s, int32_t t) {
        Left = std::min(Left, s);
        Right = std::max(Right, s);
        Top = std::min(Top, t);
        Bottom = std::max(Bottom, t);
    }
    void Add(const TexelRect& r) {
        if (r.Empty()) return;
        Add(r.Left, r.Top);
        Add(r.Right, r.Bottom);
    }
    static TexelRect Whole(int width, int height) { return {0, 0, width - 1, height - 1}; }
};

}  // namespace varp
