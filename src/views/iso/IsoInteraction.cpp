// The 3D view's mouse state machine: which drag a press starts, how moves carry it on, and how
// releases and a lost capture end it.
#include <cstdint>

#include "views/iso/IsoBox.h"

namespace varp {

namespace {

using Drag = IsoBox::Drag;

// The drag a press starts, by Mode (Mix, Paint, Camera, Mapping). Left button: by the keys
// held, in the order none, Shift, Ctrl, Ctrl + Shift. Right button: by Ctrl; Shift plays no
// part.
constexpr Drag LeftDrags[4][4] = {
    {Drag::Paint, Drag::Paint, Drag::Orbit, Drag::Zoom},
    {Drag::Paint, Drag::Paint, Drag::Paint, Drag::Paint},
    {Drag::Orbit, Drag::Zoom, Drag::Orbit, Drag::Zoom},
    {Drag::Select, Drag::Select, Drag::Orbit, Drag::Zoom},
};
constexpr Drag RightDrags[4][2] = {
    {Drag::Pick, Drag::Look},
    {Drag::Pick, Drag::Pick},
    {Drag::Look, Drag::Look},
    {Drag::Deselect, Drag::Look},
};

bool IsCameraDrag(Drag state) {
    return state == Drag::Orbit || state == Drag::Look || state == Drag::Zoom;
}

bool IsStroke(Drag state) {
    return state == Drag::Paint || state == Drag::ShadeDown || state == Drag::Pick ||
           state == Drag::Select || state == Drag::Deselect;
}

}  // namespace

void IsoBox::OnLButtonDown(ClientPoint p, unsigned flags) {
    PressButton(p, flags, true);
}

void IsoBox::OnRButtonDown(ClientPoint p, unsigned flags) {
    PressButton(p, flags, false);
}

void IsoBox::OnLButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, true);
}

void IsoBox::OnRButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, false);
}

void IsoBox::PressButton(ClientPoint p, unsigned flags, bool left) {
    // The other button pressed during a drag only changes what the moves do, through their
    // flags; it starts nothing.
    if (DragState != Drag::Idle) return;
    const int32_t mode = app_.Mode;
    if (mode < ModeMix || mode > ModeMapping) return;
    CtrlHeld = (flags & MK_CONTROL) != 0 ? 1 : 0;
    ShiftHeld = (flags & MK_SHIFT) != 0 ? 1 : 0;
    ViewCamera.Yaw = 0.0f;
    ViewCamera.Tilt = 0.0f;
    PressPoint = p;
    DragState = left ? LeftDrags[mode][CtrlHeld * 2 + ShiftHeld] : RightDrags[mode][CtrlHeld];
    // The Shade tool darkens with the right button, where the others pick a colour.
    if (DragState == Drag::Pick && app_.Tool == ToolShade) DragState = Drag::ShadeDown;
    StartDrag(p, flags);
}

void IsoBox::StartDrag(ClientPoint p, unsigned flags) {
    switch (DragState) {
        case Drag::Paint:
        case Drag::ShadeDown:
            BeginPaint(p, flags, DragState == Drag::ShadeDown);
            host_.SetCapture();
            return;
        case Drag::Orbit:
            // Screen points from before the camera moves mean nothing after it.
            LastValid = false;
            ViewCamera.BeginOrbit();
            HideCursor();
            host_.SetCapture();
            return;
        case Drag::Zoom:
            LastValid = false;
            HideCursor();
            host_.SetCapture();
            return;
        case Drag::Look:
            LastValid = false;
            ViewCamera.BeginLook();
            host_.SetCapture();
            HideCursor();
            return;
        case Drag::Select:
        case Drag::Deselect:
            host_.SetCapture();
            ChangeSelection(p, DragState == Drag::Select);
            return;
        case Drag::Pick:
            host_.SetCapture();
            PickColour(p);
            return;
        default:
            return;
    }
}

void IsoBox::OnMouseMove(ClientPoint p, unsigned flags) {
    // A camera drag hides the cursor and puts it back on the press point after every move.
    if (!IsCameraDrag(DragState)) NoteCursor(p);
    if (!host_.HoldsCapture()) return;
    switch (DragState) {
        case Drag::Orbit:
        case Drag::Look:
        case Drag::Zoom:
            MoveCamera(p, flags);
            return;
        // Outside the buffers there is no pick entry, so these do nothing there.
        case Drag::Paint:
        case Drag::ShadeDown:
            ContinuePaint(p);
            return;
        case Drag::Pick:
            PickColour(p);
            return;
        case Drag::Select:
        case Drag::Deselect:
            ChangeSelection(p, DragState == Drag::Select);
            return;
        default:  // Idle, or a drag that is over and waits for the other button
            return;
    }
}

void IsoBox::MoveCamera(ClientPoint p, unsigned flags) {
    // Every move puts the cursor back on the press point, which the window system reports as a
    // move there: that echo carries no motion.
    if (p == PressPoint) return;
    const int32_t dx = p.x - PressPoint.x;
    const int32_t dy = p.y - PressPoint.y;
    host_.SetCursorPos(PressPoint);
    switch (DragState) {
        case Drag::Orbit:
            if ((flags & MK_RBUTTON) != 0) {
                ViewCamera.Dolly(dy);
            } else {
                ViewCamera.Orbit(dx, dy);
            }
            break;
        case Drag::Look:
            if ((flags & MK_LBUTTON) != 0) {
                ViewCamera.PushTarget(dy);
            } else {
                ViewCamera.Look(dx, dy);
            }
            break;
        default:
            ViewCamera.ZoomFieldOfView(dx);
            break;
    }
    picksStale_ = true;
    Render(IsoBox::Kind::Quick);
    host_.RedrawNow();
}

void IsoBox::ReleaseButton(unsigned flags, bool left) {
    if (!host_.HoldsCapture() || DragState == Drag::Idle) return;
    const bool ownCameraDrag =
        left ? DragState == Drag::Orbit || DragState == Drag::Zoom : DragState == Drag::Look;
    const bool ownStroke = left ? DragState == Drag::Paint || DragState == Drag::Select
                                : DragState == Drag::Pick || DragState == Drag::Deselect ||
                                      DragState == Drag::ShadeDown;
    if (ownCameraDrag) {
        // Picks are fresh again for the strokes that follow.
        Render(IsoBox::Kind::Full);
        host_.RedrawNow();
        DragState = Drag::CameraEnding;
    } else if (ownStroke) {
        if (DragState == Drag::Paint || DragState == Drag::ShadeDown) EndStroke();
        DragState = Drag::StrokeEnding;
    }
    // The pane keeps the capture, and a camera drag the hidden cursor, until both are up.
    const bool otherHeld = (flags & (left ? MK_RBUTTON : MK_LBUTTON)) != 0;
    if (otherHeld) return;
    if (DragState == Drag::CameraEnding) {
        // Idle before the capture goes, so that the capture-lost message finds nothing to end.
        DragState = Drag::Idle;
        ShowCursorAgain();
        EndDrag();
    } else if (DragState == Drag::StrokeEnding) {
        DragState = Drag::Idle;
        EndDrag();
    }
    // Otherwise a drag of the other button runs on.
}

void IsoBox::OnCaptureChanged() {
    if (DragState == Drag::Idle) return;
    if (IsCameraDrag(DragState)) {
        Render(IsoBox::Kind::Full);
        host_.RedrawNow();
        DragState = Drag::CameraEnding;
    } else if (IsStroke(DragState)) {
        if (DragState == Drag::Paint || DragState == Drag::ShadeDown) EndStroke();
        DragState = Drag::StrokeEnding;
    }
    // The capture is already gone: nothing to release.
    if (DragState == Drag::CameraEnding) ShowCursorAgain();
    DragState = Drag::Idle;
    CtrlHeld = 0;
    ShiftHeld = 0;
}

void IsoBox::EndDrag() {
    host_.ReleaseCapture();
    CtrlHeld = 0;
    ShiftHeld = 0;
}

}  // namespace varp
