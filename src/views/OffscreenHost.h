// A pane with no window around it (pictures drawn for files): nothing to capture, redraw or
// notify.
#pragma once

#include "platform/PaneHost.h"

namespace varp {

class OffscreenHost final : public PaneHost {
  public:
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HoldsCapture() override { return false; }
    int ShowCursor(bool show) override { return show ? 0 : -1; }
    void SetCursorPos(ClientPoint) override {}
    void ClientSize(int* w, int* h) override { *w = *h = 0; }
    void RedrawNow() override {}
    void SendRefresh(Refresh) override {}
};

}  // namespace varp
