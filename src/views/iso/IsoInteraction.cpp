// The 3D view's mouse state machine: which drag a press starts, how moves carry it on, and how
// releases and a lost capture end it.
#include <cstdint>

#include "views/iso/IsoBox.h"

namespace varp {

namespace {

// The drag a press starts, by Mode (Mix, Paint, Camera, Mapping). Left button: by the keys
// held, in the order none, Shift, Ctrl, Ctrl + Shift. Right button: by Ctrl; Shift plays no
// part.
constexpr int32_t LeftDrags[4][4] = {
    {IsoBox::PaintDrag, IsoBox::PaintDrag, IsoBox::OrbitDrag, IsoBox::ZoomDrag},
    {IsoBox::PaintDrag, IsoBox::PaintDrag, IsoBox::PaintDrag, IsoBox::PaintDrag},
    {IsoBox::OrbitDrag, IsoBox::ZoomDrag, IsoBox::OrbitDrag, IsoBox::ZoomDrag},
    {IsoBox::SelectDrag, IsoBox::SelectDrag, IsoBox::OrbitDrag, IsoBox::ZoomDrag},
};
constexpr int32_t RightDrags[4][2] = {
    {IsoBox::PickDrag, IsoBox::LookDrag},
    {IsoBox::PickDrag, IsoBox::PickDrag},
    {IsoBox::LookDrag, IsoBox::LookDrag},
    {IsoBox::DeselectDrag, IsoBox::LookDrag},
};

bool IsCameraDrag(int32_t state) {
    return state == IsoBox::OrbitDrag || state == IsoBox::LookDrag || state == IsoBox::ZoomDrag;
}

bool IsStroke(int32_t state) {
    return state == IsoBox::PaintDrag || state == IsoBox::PickDrag || state == IsoBox::SelectDrag ||
           state == IsoBox::DeselectDrag;
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
    if (DragState != Idle) return;
    const int32_t mode = app_.Mode;
    if (mode < ModeMix || mode > ModeMapping) return;
    CtrlHeld = (flags & MK_CONTROL) != 0 ? 1 : 0;
    ShiftHeld = (flags & MK_SHIFT) != 0 ? 1 : 0;
    ViewCamera.Yaw = 0.0f;
    ViewCamera.Tilt = 0.0f;
    PressPoint = p;
    DragState = left ? LeftDrags[mode][CtrlHeld * 2 + ShiftHeld] : RightDrags[mode][CtrlHeld];
    StartDrag(p);
}

void IsoBox::StartDrag(ClientPoint p) {
    switch (DragState) {
        case PaintDrag:
            PaintTexel(p);
            host_.SetCapture();
            return;
        case OrbitDrag:
            ViewCamera.BeginOrbit();
            HideCursor();
            host_.SetCapture();
            return;
        case ZoomDrag:
            HideCursor();
            host_.SetCapture();
            return;
        case LookDrag:
            ViewCamera.BeginLook();
            host_.SetCapture();
            HideCursor();
            return;
        case SelectDrag:
        case DeselectDrag:
            host_.SetCapture();
            ChangeSelection(p, DragState == SelectDrag);
            return;
        case PickDrag:
            host_.SetCapture();
            PickColour(p);
            return;
        default:
            return;
    }
}

void IsoBox::OnMouseMove(ClientPoint p, unsigned flags) {
    if (!host_.HoldsCapture()) return;
    switch (DragState) {
        case OrbitDrag:
        case LookDrag:
        case ZoomDrag:
            MoveCamera(p, flags);
            return;
        // Outside the buffers there is no pick entry, so these do nothing there.
        case PaintDrag:
            PaintTexel(p);
            return;
        case PickDrag:
            PickColour(p);
            return;
        case SelectDrag:
        case DeselectDrag:
            ChangeSelection(p, DragState == SelectDrag);
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
        case OrbitDrag:
            if ((flags & MK_RBUTTON) != 0) {
                ViewCamera.Dolly(dy);
            } else {
                ViewCamera.Orbit(dx, dy);
            }
            break;
        case LookDrag:
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
    Render(Quick);
    host_.RedrawNow();
}

void IsoBox::ReleaseButton(unsigned flags, bool left) {
    if (!host_.HoldsCapture() || DragState == Idle) return;
    const bool ownCameraDrag =
        left ? DragState == OrbitDrag || DragState == ZoomDrag : DragState == LookDrag;
    const bool ownStroke = left ? DragState == PaintDrag || DragState == SelectDrag
                                : DragState == PickDrag || DragState == DeselectDrag;
    if (ownCameraDrag) {
        // Picks are fresh again for the strokes that follow.
        Render(Full);
        host_.RedrawNow();
        DragState = CameraEnding;
    } else if (ownStroke) {
        DragState = StrokeEnding;
    }
    // The pane keeps the capture, and a camera drag the hidden cursor, until both are up.
    const bool otherHeld = (flags & (left ? MK_RBUTTON : MK_LBUTTON)) != 0;
    if (otherHeld) return;
    if (DragState == CameraEnding) {
        // Idle before the capture goes, so that the capture-lost message finds nothing to end.
        DragState = Idle;
        ShowCursorAgain();
        EndDrag();
    } else if (DragState == StrokeEnding) {
        DragState = Idle;
        EndDrag();
    }
    // Otherwise a drag of the other button runs on.
}

void IsoBox::OnCaptureChanged() {
    if (DragState == Idle) return;
    if (IsCameraDrag(DragState)) {
        Render(Full);
        host_.RedrawNow();
        DragState = CameraEnding;
    } else if (IsStroke(DragState)) {
        DragState = StrokeEnding;
    }
    // The capture is already gone: nothing to release.
    if (DragState == CameraEnding) ShowCursorAgain();
    DragState = Idle;
    CtrlHeld = 0;
    ShiftHeld = 0;
}

void IsoBox::EndDrag() {
    host_.ReleaseCapture();
    CtrlHeld = 0;
    ShiftHeld = 0;
}

}  // namespace varp
