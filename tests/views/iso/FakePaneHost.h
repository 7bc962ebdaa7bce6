// A pane host for tests: records what the pane asks of its window.
#pragma once

#include <vector>

#include "platform/PaneHost.h"

namespace varp::test {

class FakePaneHost : public PaneHost {
  public:
    void SetCapture() override { capture = true; }
    void ReleaseCapture() override { capture = false; }
    bool HoldsCapture() override { return capture; }
    int ShowCursor(bool show) override { return cursorCount += show ? 1 : -1; }
    void SetCursorPos(ClientPoint p) override { cursorMoves.push_back(p); }
    void ClientSize(int* w, int* h) override {
        *w = width;
        *h = height;
    }
    void RedrawNow() override { ++redraws; }
    void SendRefresh(int kind) override { refreshes.push_back(kind); }

    bool capture = false;
    int cursorCount = 0;
    int width = 0;
    int height = 0;
    int redraws = 0;
    std::vector<ClientPoint> cursorMoves;
    std::vector<int> refreshes;
};

}  // namespace varp::test
