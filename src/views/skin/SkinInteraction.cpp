// The skin view's mouse state machine: what a press starts, how moves carry it on, how releases
// and a lost capture end it, and the pan and zoom steps of a view drag.
#include <bit>
#include <cstdint>

#include "views/skin/SkinBox.h"

namespace varp {

namespace {

using Drag = SkinBox::Drag;

// The zoom factors of one pixel of pointer travel, down and up. They are float constants
// (0.99900097 and 1.001 rounded to float), applied in extended precision.
constexpr long double ZoomOutStep = std::bit_cast<float>(0x3F7FBE87u);
constexpr long double ZoomInStep = std::bit_cast<float>(0x3F8020C5u);

// The interaction a press starts, by Mode (Mix, Paint, Camera, Mapping) and Ctrl (without,
// with). Idle means none; MovePoint starts only if GrabPoint finds a point.
constexpr Drag LeftPress[4][2] = {
    {Drag::Paint, Drag::View},
    {Drag::Paint, Drag::Paint},
    {Drag::View, Drag::View},
    {Drag::MovePoint, Drag::View},
};
constexpr Drag RightPress[4][2] = {
    {Drag::PickColour, Drag::View},
    {Drag::PickColour, Drag::PickColour},
    {Drag::View, Drag::View},
    {Drag::Idle, Drag::View},
};

}  // namespace

void SkinBox::OnLButtonDown(ClientPoint p, unsigned flags) {
    PressButton(p, flags, true);
}

void SkinBox::OnRButtonDown(ClientPoint p, unsigned flags) {
    PressButton(p, flags, false);
}

void SkinBox::OnLButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, true);
}

void SkinBox::OnRButtonUp(ClientPoint, unsigned flags) {
    ReleaseButton(flags, false);
}

void SkinBox::PressButton(ClientPoint p, unsigned flags, bool left) {
    // A second button during an interaction starts nothing; in a view drag it only changes what
    // the moves do, through their flags.
    if (DragState != Drag::Idle) return;
    const int32_t mode = app_.Mode;
    if (mode < ModeMix || mode > ModeMapping) return;
    CtrlHeld = (flags & MK_CONTROL) != 0 ? 1 : 0;
    PressPoint = p;
    Drag start = left ? LeftPress[mode][CtrlHeld] : RightPress[mode][CtrlHeld];
    // The Shade tool darkens with the right button, where the others pick a colour.
    if (start == Drag::PickColour && app_.Tool == ToolShade) start = Drag::ShadeDown;
    if (left && mode == ModePaint && app_.Mirror != 0 &&
        (flags & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT)) {
        PlaceMirrorAxis(p);
        return;
    }
    switch (start) {
        case Drag::View:
            DragState = Drag::View;
            host_.SetCapture();
            HideCursor();
            return;
        case Drag::Paint:
        case Drag::ShadeDown:
            DragState = start;
            BeginPaint(p, flags, start == Drag::ShadeDown);
            host_.SetCapture();
            return;
        case Drag::PickColour:
            DragState = Drag::PickColour;
            host_.SetCapture();
            PickPaintColour(p);
            return;
        case Drag::MovePoint:
            GrabPoint(p);
            return;
        default:  // a right press in Mapping mode without Ctrl
            return;
    }
}

void SkinBox::OnMouseMove(ClientPoint p, unsigned flags) {
    // The cursor warps of a view drag carry no news of what lies under it.
    if (DragState != Drag::View) NoteCursor(p);
    if (!host_.HoldsCapture()) return;
    switch (DragState) {
        case Drag::View:
            MoveView(p, flags);
            return;
        case Drag::Paint:
        case Drag::ShadeDown:
            if (InsideClient(p)) ContinuePaint(p);
            return;
        case Drag::PickColour:
            PickPaintColour(p);
            return;
        case Drag::MovePoint:
            MoveDragSlot(p);
            return;
        default:  // Idle, or Done waiting for the other button
            return;
    }
}

void SkinBox::MoveView(ClientPoint p, unsigned flags) {
    // Putting the cursor back on the press point comes back as a move there: no motion.
    if (p == PressPoint) return;
    const int dx = p.x - PressPoint.x;
    const int dy = p.y - PressPoint.y;
    host_.SetCursorPos(PressPoint);
    if ((flags & MK_RBUTTON) != 0) {
        ZoomBy(dy);
    } else {
        PanBy(dx, dy);
    }
    // The pick buffer waits for the end of the drag.
    picksStale_ = true;
    Render(Kind::DisplayOnly);
    host_.RedrawNow();
}

void SkinBox::PanBy(int dx, int dy) {
    // The division needs a Zoom inside its range.
    KeepViewInRange();
    PanS -= static_cast<float>(dx) / Zoom;
    PanT -= static_cast<float>(dy) / Zoom;
    KeepViewInRange();
}

void SkinBox::ZoomBy(int dy) {
    KeepViewInRange();
    // One rounding to float at the end, not one per pixel. Once the product has left the range
    // in the direction it moves, it never comes back and the range check below gives the bound,
    // so the loop stops there: a huge dy costs at most the steps across the range.
    long double zoom = Zoom;
    const long double step = dy > 0 ? ZoomOutStep : ZoomInStep;
    const int64_t count = dy > 0 ? int64_t{dy} : -int64_t{dy};
    for (int64_t i = 0; i < count; ++i) {
        zoom *= step;
        if (zoom < MinZoom || zoom > MaxZoom) break;
    }
    Zoom = static_cast<float>(zoom);
    KeepViewInRange();
}

void SkinBox::PickPaintColour(ClientPoint p) {
    // The columns that round the buffer up to four lie outside the window: nothing is picked
    // there.
    if (!InsideClient(p)) return;
    const uint32_t offset = PickAt(p);
    if (offset == NoTexel) return;
    app_.PaintColour = app_.CurrentSkin->Pixels[offset];
    host_.SendRefresh(Refresh::PaintColour);
}

void SkinBox::ReleaseButton(unsigned flags, bool left) {
    if (!host_.HoldsCapture() || DragState == Drag::Idle) return;
    const bool otherHeld = (flags & (left ? MK_RBUTTON : MK_LBUTTON)) != 0;
    if (DragState == Drag::View) {
        // Either button may have started it; it goes on with the other one.
        if (otherHeld) return;
        // Idle before the capture goes, so that the capture-lost message finds nothing to end.
        DragState = Drag::Idle;
        Render(Kind::Full);  // the pick buffer skipped during the drag
        host_.RedrawNow();
        ShowCursorAgain();
        host_.ReleaseCapture();
        CtrlHeld = 0;
        return;
    }
    if ((left && DragState == Drag::Paint) || (!left && DragState == Drag::ShadeDown)) {
        EndStroke();
        DragState = Drag::Done;
    } else if (left && DragState == Drag::MovePoint) {
        EndMappingDrag();
        DragState = Drag::Done;
    } else if (!left && DragState == Drag::PickColour) {
        DragState = Drag::Done;
    }
    // A release of the button that did not start the interaction changes nothing.
    if (DragState == Drag::Done && !otherHeld) {
        DragState = Drag::Idle;
        host_.ReleaseCapture();
        CtrlHeld = 0;
    }
}

void SkinBox::OnCaptureChanged() {
    // A release of the pane's own has set Idle already.
    if (DragState == Drag::Idle) return;
    if (DragState == Drag::View) {
        Render(Kind::Full);
        host_.RedrawNow();
        ShowCursorAgain();
    } else if (DragState == Drag::MovePoint) {
        EndMappingDrag();
    } else if (DragState == Drag::Paint || DragState == Drag::ShadeDown) {
        EndStroke();
    }
    DragState = Drag::Idle;
    CtrlHeld = 0;
}

}  // namespace varp
