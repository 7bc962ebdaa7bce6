// What the skin view tests share: Workspaces with small or demo skins.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/App.h"
#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "views/skin/SkinBox.h"

namespace varp::test {

// Texel (s, t) of the test skins: distinct for neighbours, never 0 or 255 in small skins.
inline uint8_t TestTexel(int s, int t) {
    return static_cast<uint8_t>(1 + (s + 7 * t) % 250);
}

// An App holding one width x height skin of TestTexel values and no triangles.
std::unique_ptr<App> AppWithSkin(ScriptedPlatform& sys, int width, int height);

// An App with the demo model and its skins read from a demo base folder under `dir`.
std::unique_ptr<App> AppWithSample(ScriptedPlatform& sys, const TempDir& dir);

// Buffer element of window point (x, y) of a pane.
inline size_t ElementAt(int bufferWidth, int bufferHeight, int x, int y) {
    return static_cast<size_t>(bufferHeight - 1 - y) * static_cast<size_t>(bufferWidth) +
           static_cast<size_t>(x);
}

// A 200 x 200 pane over a 16 x 16 skin at zoom 4 centred on skin point (8, 8): texel (s, t)
// covers client columns 100 + 4 (s - 8) to 3 more, and the rows likewise.
struct SkinPaneTest : ::testing::Test {
    ScriptedPlatform sys;
    FakePaneHost host;
    std::unique_ptr<App> app = AppWithSkin(sys, 16, 16);
    SkinBox box{*app, host};

    SkinPaneTest() {
        host.pane = &box;
        host.width = host.height = 200;
        box.PanS = box.PanT = 8.0f;
        box.Zoom = 4.0f;
        box.OnSize(200, 200);
    }
    // The middle of texel (s, t) on screen.
    static ClientPoint At(int s, int t) { return {102 + 4 * (s - 8), 102 + 4 * (t - 8)}; }
};

}  // namespace varp::test
