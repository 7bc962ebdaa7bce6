// The helpers every pane uses around its mouse handling: where the client area is, the cursor
// display count, and painting a texel.
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

bool Pane::PaintSkinTexel(uint32_t offset) {
    uint8_t& texel = app_.CurrentSkin->Pixels[offset];
    if (app_.ColourLocks[texel] != 0) return false;
    texel = app_.PaintColour;
    return true;
}

}  // namespace varp
