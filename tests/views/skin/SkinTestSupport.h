// What the skin view tests share: a Workspace with one small skin, and a pane over it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "app/App.h"
#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "views/skin/SkinBox.h"

namespace varp::test {

// Texel (s, t) of the test skins: distinct for neighbours, never 0 or 255 in small skins.
inline uint8_t TestTexel(int s, int t) {
    return static_cast<uint8_t>(1 + (s + 7 * t) % 250);
}

inline constexpr SkinBox::Kind AllKinds[] = {SkinBox::Kind::Recolour, SkinBox::Kind::Full,
                                             SkinBox::Kind::Background, SkinBox::Kind::DisplayOnly};

// Buffer element of window point (x, y) of a pane.
inline size_t ElementAt(const SkinBox& box, int x, int y) {
    return static_cast<size_t>((box.BufferHeight - 1 - y) * box.BufferWidth + x);
}

// A pane over an App holding one width x height skin of TestTexel values and no triangles.
struct SkinView {
    ScriptedPlatform sys;
    FakePaneHost host;
    std::unique_ptr<App> app = std::make_unique<App>(sys);
    SkinBox box{*app, host};

    SkinView(int width, int height) {
        host.pane = &box;
        app->SkinWidth = static_cast<int16_t>(width);
        app->SkinHeight = static_cast<int16_t>(height);
        app->Skins.push_back(std::make_unique<SkinImage>());
        app->Skins[0]->Width = static_cast<int16_t>(width);
        app->Skins[0]->Height = static_cast<int16_t>(height);
        for (int t = 0; t < height; ++t) {
            for (int s = 0; s < width; ++s) app->Skins[0]->Pixels.push_back(TestTexel(s, t));
        }
        app->SelectSkin(0);
    }
    // The drag state, whether the pane holds the capture, and the cursor display count.
    std::tuple<SkinBox::Drag, bool, int> State() const {
        return {box.DragState, host.capture, host.displayCount};
    }
};

// A 200 x 200 pane over a 16 x 12 skin at zoom 4 centred on skin point (8, 8): texel (s, t)
// covers client columns 100 + 4 (s - 8) to 3 more, and the rows likewise.
struct SkinPaneTest : ::testing::Test, SkinView {
    SkinPaneTest() : SkinView(16, 12) {
        host.width = host.height = 200;
        box.PanS = box.PanT = 8.0f;
        box.Zoom = 4.0f;
        box.OnSize(200, 200);
    }
    // The middle of texel (s, t) on screen.
    static ClientPoint At(int s, int t) { return {102 + 4 * (s - 8), 102 + 4 * (t - 8)}; }
    uint8_t& Texel(int s, int t) { return app->CurrentSkin->Pixels[size_t(16 * t + s)]; }
};

}  // namespace varp::test
