// The helpers every pane uses around its mouse handling: where the client area is, the cursor
// display count, the paint refresh and what lies under the mouse.
#include "views/Pane.h"

#include "views/Blit.h"

namespace varp {

namespace {

constexpr int CursorCallLimit = 20;

}  // namespace

void Pane::BlitArea(const uint32_t table[256], int left, int top, int width, int height,
                    uint32_t* dst, int dstStride) {
    BlitPane(Pixels(), BufferWidth, BufferHeight, table, left, top, width, height, dst, dstStride);
}

bool Pane::InsideClient(ClientPoint p) {
    int width = 0, height = 0;
    host_.ClientSize(&width, &height);
    return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height;
}

void Pane::HideCursor() {
    for (int i = 0; i < CursorCallLimit; ++i) {
        if (host_.ShowCursor(false) < 0) return;
    }
}

void Pane::ShowCursorAgain() {
    for (int i = 0; i < CursorCallLimit; ++i) {
        if (host_.ShowCursor(true) >= 0) return;
    }
}

void Pane::EndStroke() {
    std::unique_ptr<EditStep> step = Painting.End();
    if (!step) return;
    app_.Edits.Push(std::move(step));
    host_.SendRefresh(Refresh::Edited);
}

void Pane::ReportPainted() {
    if (Painting.EventArea().Empty()) return;
    app_.PaintedTexels.Add(Painting.EventArea());
    host_.SendRefresh(Refresh::TexelsPainted);
    Painting.ClearEvent();
}

void Pane::ShowCursorInfo(const CursorInfo& info) {
    if (info == cursor_) return;
    cursor_ = info;
    if (watcher_ != nullptr) watcher_->CursorMoved(*this);
}

}  // namespace varp
