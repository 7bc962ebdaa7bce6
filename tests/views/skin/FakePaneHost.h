// A pane host for the view tests: counts every request, so a test can show there was none.
#pragma once

#include "platform/PaneHost.h"

namespace varp::test {

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

}  // namespace varp::test
