// The helpers every pane uses around its mouse handling: where the client area is, and the
// cursor display count.
#include "views/Pane.h"

namespace varp {

namespace {

constexpr int CursorCallLimit = 20;

}  // namespace

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

}  // namespace varp
