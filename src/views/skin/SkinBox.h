// The flat skin view: the current skin panned and zoomed, its pick buffer, the mapping overlay,
// and the mouse: painting, colour picking, panning and zooming, dragging mapping points.
#pragma once

#include <cstdint>
#include <vector>

#include "edit/MappingStep.h"
#include "raster/Raster.h"
#include "views/Pane.h"

namespace varp {

// A PickBuffer entry where no skin texel is shown.
inline constexpr uint32_t NoTexel = 0xFFFFFFFFu;

// A texel position, which may lie outside the skin.
struct TexelPoint {
    int32_t s = 0;
    int32_t t = 0;
    bool operator==(const TexelPoint&) const = default;
};

class SkinBox : public Pane {
  public:
    // What Render redraws; Mapping mode always draws DisplayOnly.
    enum class Kind {
        Recolour,     // PixelBuffer from PickBuffer and the skin's texels
        Full,         // the skin rasterized with pick recording
        Background,   // pixels showing no texel take BackgroundColour
        DisplayOnly,  // the skin without pick, plus the Mapping overlay
    };

    // The view range Render keeps PanS, PanT and Zoom in (see KeepViewInRange).
    static constexpr float MinZoom = 1.0f / 64.0f;
    static constexpr float MaxZoom = 256.0f;
    static constexpr float MaxPan = 65536.0f;
    static constexpr float StartPan = 50.0f;
    static constexpr float StartZoom = 3.0f;

    // The mouse interaction under way. Only Idle accepts a button press.
    enum class Drag {
        Idle,
        Done,        // Paint, PickColour or MovePoint over, the other button still down
        View,        // pan, or zoom while the right button is down
        Paint,       // left: PaintColour into the texel under the mouse
        PickColour,  // right: PaintColour from the texel under the mouse
        MovePoint,   // left, Mapping mode: a mapping point follows
    };

    SkinBox(App& app, PaneHost& host);

    // New client size: rows raised to a multiple of 4; a change reallocates both buffers and
    // renders them in full.
    void OnSize(int cx, int cy) override;

    // Redraws the buffers from the Workspace.
    void Render(Kind kind);

    // Puts PanS, PanT and Zoom back inside the range the rasterizer takes: Zoom within
    // MinZoom..MaxZoom, the pans within -MaxPan..MaxPan, and a value that is not a number back
    // to its starting value. Render calls it first; code that changes the view calls it after
    // every change, so that the next division by Zoom stays finite.
    void KeepViewInRange();

    // The view transform: the column and buffer row at which skin point (s, t) lies, in texels,
    // truncated toward zero.
    int32_t ColumnOf(double s) const;
    int32_t RowOf(double t) const;
    // Its inverse: the texel under a client point (y downward), truncated toward zero.
    TexelPoint TexelUnder(ClientPoint p) const;
    // The PickBuffer entry under a client point: a texel offset into the current skin, or
    // NoTexel when the point is outside the buffer, nothing is shown there, or the entry does
    // not fit the current skin (a skin of another size came in since the last full render).
    uint32_t PickAt(ClientPoint p) const;

    // Mouse messages (SkinInteraction.cpp). A press starts what the mode and Ctrl choose; the
    // interaction ends when both buttons are up or the capture is lost.
    void OnLButtonDown(ClientPoint p, unsigned flags) override;
    void OnRButtonDown(ClientPoint p, unsigned flags) override;
    void OnMouseMove(ClientPoint p, unsigned flags) override;
    void OnLButtonUp(ClientPoint p, unsigned flags) override;
    void OnRButtonUp(ClientPoint p, unsigned flags) override;
    void OnCaptureChanged() override;

    // PaintColour into the texel shown under a client point, unless its present colour is
    // locked; a painted texel is reported with one TexelsPainted refresh even if its colour
    // stays.
    void PaintTexel(ClientPoint p);
    // Starts a mapping drag on the point whose texel lies under a client point (MappingDrag.cpp):
    // the point's corners are re-pointed to the DragSlot, those of the selected triangles only
    // if any selected triangle uses the point. Returns false, starting nothing, off every point.
    bool GrabPoint(ClientPoint p);

    // The two steps of a view drag, each ending with KeepViewInRange. PanBy moves the skin with
    // a pointer that moved (dx, dy) pixels; ZoomBy shrinks the view for a pointer that moved dy
    // pixels down (dy > 0) and enlarges it for one that moved up, by a fixed factor per pixel.
    void PanBy(int dx, int dy);
    void ZoomBy(int dy);

    Drag DragState = Drag::Idle;
    ClientPoint PressPoint;  // where the running interaction's button went down
    int32_t CtrlHeld = 0;    // 1 when Ctrl was down at that press

    // Per pixel, the offset row x SkinWidth + column of the texel shown there, or NoTexel.
    std::vector<uint32_t> PickBuffer;
    // The skin point shown at the centre of the pane, and pane pixels per texel.
    float PanS = StartPan;
    float PanT = StartPan;
    float Zoom = StartZoom;

  private:
    // The interaction's pieces (SkinInteraction.cpp, MappingDrag.cpp).
    void PressButton(ClientPoint p, unsigned flags, bool left);
    void MoveView(ClientPoint p, unsigned flags);
    void PickPaintColour(ClientPoint p);
    void ReleaseButton(unsigned flags, bool left);
    void MoveDragSlot(ClientPoint p);
    void EndMappingDrag();

    // The current skin when it can be drawn (a skin whose pixels cover SkinWidth x
    // SkinHeight), else null.
    const SkinImage* DrawableSkin() const;
    RasterTarget Target();
    void DrawSkin(const SkinImage& skin, bool withPick);
    void DrawMappingOverlay(const RasterTarget& target);

    // The mapping as it was when the running drag grabbed its point: the drag is one step.
    std::unique_ptr<MappingChange> dragBefore_;
};

}  // namespace varp
