// What the skin view tests share: a host that records, Workspaces with small or demo skins.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/App.h"
#include "platform/PaneHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp::test {

// Counts what the pane asks of its window; Render must ask for nothing.
class FakePaneHost : public PaneHost {
  public:
    void SetCapture() override { ++calls; }
    void ReleaseCapture() override { ++calls; }
    bool HoldsCapture() override { return false; }
    int ShowCursor(bool) override { return ++calls, 0; }
    void SetCursorPos(ClientPoint) override { ++calls; }
    void ClientSize(int* width, int* height) override { *width = 0, *height = 0; }
    void RedrawNow() override { ++calls; }
    void SendRefresh(int) override { ++calls; }
    int calls = 0;
};

// Texel (s, t) of the test skins: distinct for neighbours, never 0 or 255 in small skins.
inline uint8_t TestTexel(int s, int t) {
    return static_cast<uint8_t>(1 + (s + 7 * t) % 250);
}

// An App holding a width x height skin of TestTexel values and no triangles; `skins` of them
// when more than one is asked for (skin k adds k to every texel).
std::unique_ptr<App> AppWithSkin(ScriptedPlatform& sys, int width, int height, int skins = 1);

// An App with the demo model and its skins read from a demo base folder under `dir`.
std::unique_ptr<App> AppWithSample(ScriptedPlatform& sys, const TempDir& dir);

// Buffer element of window point (x, y) of a pane.
inline size_t ElementAt(int bufferWidth, int bufferHeight, int x, int y) {
    return static_cast<size_t>(bufferHeight - 1 - y) * static_cast<size_t>(bufferWidth) +
           static_cast<size_t>(x);
}

}  // namespace varp::test
