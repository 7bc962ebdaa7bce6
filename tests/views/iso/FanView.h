// A 3D view over a hand-made square of four triangles, for driving the mouse directly.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/Md2Files.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {

inline constexpr unsigned L = MK_LBUTTON;
inline constexpr unsigned R = MK_RBUTTON;
inline constexpr unsigned Shift = MK_SHIFT;
inline constexpr unsigned Ctrl = MK_CONTROL;

// The square, of side 40, faces the initial eye and is cut into four triangles meeting at its
// centre: 0 top, 1 right, 2 bottom, 3 left. In the 200 x 100 view it spans columns 66 to 133
// and rows 16 to 83. Points well inside each triangle, and one on the background:
inline constexpr ClientPoint Top{100, 30};
inline constexpr ClientPoint Top2{95, 25};
inline constexpr ClientPoint Right{120, 52};
inline constexpr ClientPoint Bottom{100, 70};
inline constexpr ClientPoint Left{80, 48};
inline constexpr ClientPoint Outside{10, 10};

struct FanView : IsoFixture {
    // An 8 x 8 skin whose texel i holds 16 + i; PaintColour 200, BackgroundColour 250.
    explicit FanView(int32_t mode = ModeMix) {
        std::vector<uint8_t> texels(64);
        for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(16 + i);
        SetModel({{0, -20, 20}, {0, 20, 20}, {0, 20, -20}, {0, -20, -20}, {0, 0, 0}},
                 {Tri(0, 1, 4, 0, 1, 4), Tri(1, 2, 4, 1, 2, 4), Tri(2, 3, 4, 2, 3, 4),
                  Tri(3, 0, 4, 3, 0, 4)},
                 {{0, 0}, {7, 0}, {7, 7}, {0, 7}, {4, 4}}, 8, 8, texels);
        app->Mode = mode;
        app->PaintColour = 200;
        app->BackgroundColour = 250;
        box->OnSize(200, 100);
    }
    std::vector<uint8_t>& Skin() { return app->CurrentSkin->Pixels; }
    float Distance() const {
        const Camera& c = box->ViewCamera;
        return std::hypot(c.Eye[0] - c.Target[0], c.Eye[1] - c.Target[1], c.Eye[2] - c.Target[2]);
    }
    void Press(bool left, ClientPoint p, unsigned keys) {
        if (left) {
            box->OnLButtonDown(p, L | keys);
        } else {
            box->OnRButtonDown(p, R | keys);
        }
    }
    void Release(bool left, ClientPoint p, unsigned flags) {
        if (left) {
            box->OnLButtonUp(p, flags);
        } else {
            box->OnRButtonUp(p, flags);
        }
    }
};

}  // namespace varp::test
