// What the skin view tests share: Workspaces with small or demo skins.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/App.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "support/FakePaneHost.h"

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

}  // namespace varp::test
