// The palette view's mouse: the left button sweeps PaintColour, the right BackgroundColour, and
// with Shift they lock and unlock the colours they pass.
#include <cstdint>

#include "views/palette/PalBox.h"

namespace varp {

void PalBox::OnLButtonDown(ClientPoint p, unsigned flags) {
    if (DragState != Drag::Idle) return;
    ShiftHeld = (flags & MK_SHIFT) != 0 ? 1 : 0;
    if (ShiftHeld != 0) {
        DragState = Drag::ProtectSweep;
        SetLock(p, 1);
    } else {
        DragState = Drag::PaintSweep;
        ChoosePaintColour(p);
    }
    host_.SetCapture();
}

void PalBox::OnRButtonDown(ClientPoint p, unsigned flags) {
    if (DragState != Drag::Idle) return;
    ShiftHeld = (flags & MK_SHIFT) != 0 ? 1 : 0;
    if (ShiftHeld != 0) {
        DragState = Drag::ReleaseSweep;
        SetLock(p, 0);
    } else {
        DragState = Drag::BackgroundSweep;
        ChooseBackgroundColour(p);
    }
    host_.SetCapture();
}

void PalBox::OnMouseMove(ClientPoint p, unsigned) {
    if (!host_.HoldsCapture()) return;
    switch (DragState) {
        case Drag::PaintSweep:
            // Outside the pane the colour stays, but the pane is still redrawn and told.
            if (InsideClient(p)) {
                ChoosePaintColour(p);
            } else {
                ShowPaintColour();
            }
            return;
        case Drag::BackgroundSweep:
            if (InsideClient(p)) ChooseBackgroundColour(p);
            return;
        case Drag::ProtectSweep:
            if (InsideClient(p)) SetLock(p, 1);
            return;
        case Drag::ReleaseSweep:
            if (InsideClient(p)) SetLock(p, 0);
            return;
        default:  // Idle, or Done waiting for the other button
            return;
    }
}

void PalBox::ChoosePaintColour(ClientPoint p) {
    app_.PaintColour = ColourAt(p);
    ShowPaintColour();
}

void PalBox::ShowPaintColour() {
    // Redrawn and, where the large views draw in colours for PaintColour (the outlines in
    // Mapping mode, the mirror axis), told even when the colour stays.
    Show();
    if (app_.Mode == ModeMapping || app_.Mirror != 0) host_.SendRefresh(Refresh::PaintColour);
}

void PalBox::ChooseBackgroundColour(ClientPoint p) {
    // Only a change is told and drawn.
    const uint8_t colour = ColourAt(p);
    if (colour == app_.BackgroundColour) return;
    app_.BackgroundColour = colour;
    host_.SendRefresh(Refresh::Background);
    Show();
}

void PalBox::SetLock(ClientPoint p, int32_t lock) {
    // Only the values 0 and 1 change hands: a lock of any other value is left alone.
    const int32_t from = lock == 1 ? 0 : 1;
    int32_t& current = app_.ColourLocks[ColourAt(p)];
    if (current != from) return;
    current = lock;
    Show();
}

void PalBox::OnLButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, true);
}

void PalBox::OnRButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, false);
}

void PalBox::ReleaseButton(unsigned flags, bool left) {
    if (!host_.HoldsCapture() || DragState == Drag::Idle) return;
    // A release of the button that did not start the sweep changes nothing.
    const bool ownSweep =
        left ? DragState == Drag::PaintSweep || DragState == Drag::ProtectSweep
             : DragState == Drag::BackgroundSweep || DragState == Drag::ReleaseSweep;
    if (ownSweep) DragState = Drag::Done;
    const bool otherHeld = (flags & (left ? MK_RBUTTON : MK_LBUTTON)) != 0;
    if (DragState == Drag::Done && !otherHeld) {
        // Idle before the capture goes, so that the capture-lost message finds nothing to end.
        DragState = Drag::Idle;
        host_.ReleaseCapture();
        ShiftHeld = 0;
    }
}

void PalBox::OnCaptureChanged() {
    // The capture is gone already: nothing to release.
    if (DragState == Drag::Idle) return;
    DragState = Drag::Idle;
    ShiftHeld = 0;
}

void PalBox::Show() {
    Render();
    host_.RedrawNow();
}

}  // namespace varp
