// A pane's window for tests: capture and cursor bookkeeping, redraw counts, refresh delivery,
// and the cursor-warp echoes a real window system would report as moves.
#pragma once

#include <functional>
#include <vector>

#include "platform/PaneHost.h"
#include "views/Pane.h"

namespace varp::test {

class FakePaneHost : public PaneHost {
  public:
    void SetCapture() override {
        capture = true;
        ++captures;
    }
    // Releasing the capture tells the pane it lost it, as the window system does.
    void ReleaseCapture() override {
        if (!capture) return;
        capture = false;
        ++releases;
        if (pane != nullptr) pane->OnCaptureChanged();
    }
    bool HoldsCapture() override { return capture; }
    int ShowCursor(bool show) override {
        displayCount += show ? 1 : -1;
        ++cursorCalls;
        return displayCount;
    }
    void SetCursorPos(ClientPoint p) override { warps.push_back(p); }
    void ClientSize(int* w, int* h) override {
        *w = width;
        *h = height;
    }
    void RedrawNow() override { ++redraws; }
    void SendRefresh(Refresh kind) override {
        sent.push_back(static_cast<int>(kind));
        if (onRefresh) onRefresh(kind);
    }
    // Every request the pane made of its window, so that a test can show there was none.
    int Requests() const {
        return captures + releases + cursorCalls + static_cast<int>(warps.size()) + redraws +
               static_cast<int>(sent.size());
    }

    Pane* pane = nullptr;
    bool capture = false;
    int captures = 0;
    int releases = 0;
    int displayCount = 0;
    int cursorCalls = 0;
    std::vector<ClientPoint> warps;
    int width = 0;
    int height = 0;
    int redraws = 0;
    std::vector<int> sent;
    std::function<void(Refresh)> onRefresh;
};

}  // namespace varp::test
