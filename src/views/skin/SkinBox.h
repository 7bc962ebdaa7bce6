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
        Paint,       // left: the paint tool, from the texel under the mouse
        ShadeDown,   // right with the Shade tool: texels one step darker
        PickColour,  // right: PaintColour from the texel under the mouse
        MovePoint,   // left, Mapping mode: a mapping point follows
    };

    SkinBox(App& app, PaneHost& host);

    // New client size: rows raised to a multiple of 4; a change reallocates both buffers and
    // renders them in full.
    void OnSize(int cx, int cy) override;

    // Redraws the buffers from the Workspace.
    void Render(Kind kind);
    // A Recolour of only the pixels that can show texels of `area` (the current skin's, changed
    // since the last render), with the same result as Render(Kind::Recolour); Dirty() is then
    // their rectangle. An unknown (empty) area, or a picture that does not show its picks'
    // texels (drawn without picks, or with another mirror axis), gets the whole Recolour.
    void RecolourTexels(const TexelRect& area);

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

    // The wheel zooms about the pointer, one step a notch (ZoomStepAt). Home fits the skin.
    void OnMouseWheel(ClientPoint p, int delta, unsigned flags) override;
    void FitView() override;

    // The texel a paint tool acts on under a client point: the one drawn there, or where no
    // texel is drawn, the one the view transform puts there (then outside the skin).
    TexelPoint PaintTexelAt(ClientPoint p) const;
    // Zooms `steps` steps in (positive) or out: whole zooms from 1 up, 1/2, 1/4 ... 1/64 below,
    // so that texels stay crisp. The skin point under the middle of pixel p stays under it.
    void ZoomStepAt(ClientPoint p, int steps);
    // The skin's texels, fitted whole into a client area of this size at the largest zoom
    // step, centred.
    void FitInto(int width, int height);
    // At a whole zoom, moves the view by less than a pixel so that every texel edge falls in the
    // middle of a pixel step: each texel is then exactly Zoom pixels square.
    void SnapToPixels();
    // Starts a mapping drag on the point drawn nearest a client point, within GrabRadius pixels
    // (MappingDrag.cpp): the point's corners are re-pointed to the DragSlot, those of the
    // selected triangles only if any selected triangle uses the point. Returns false, starting
    // nothing, away from every point.
    bool GrabPoint(ClientPoint p);
    static constexpr int32_t GrabRadius = 4;

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
    // The paint tool's press, moves and what lies under the mouse (SkinTools.cpp).
    // The skin point under the middle of pixel p, in texels.
    void SkinPointAt(ClientPoint p, double& s, double& t) const;
    void BeginPaint(ClientPoint p, unsigned flags, bool darker);
    void ContinuePaint(ClientPoint p);
    void NoteCursor(ClientPoint p);
    // Ctrl + Shift + left in Paint mode with the mirror on: the axis to the nearest texel edge
    // or centre under the pointer.
    void PlaceMirrorAxis(ClientPoint p);
    // The mirror axis as it is drawn now: a column of pixels over the skin's rows.
    struct AxisLine {
        bool Drawn = false;
        int32_t Column = 0, Bottom = 0, Top = 0;
        uint8_t Colour = 0;
        bool operator==(const AxisLine&) const = default;
    };
    AxisLine MirrorAxisLine() const;
    void DrawMirrorAxis();
    // Pixels in buffer columns left..right of rows bottom..top that show a texel take its
    // colour; the current skin must be drawable.
    void RecolourColumns(int32_t left, int32_t right, int32_t bottom, int32_t top);
    void ReleaseButton(unsigned flags, bool left);
    void MoveDragSlot(ClientPoint p);
    void EndMappingDrag();

    // The current skin when it can be drawn (a skin whose pixels cover SkinWidth x
    // SkinHeight), else null.
    const SkinImage* DrawableSkin() const;
    RasterTarget Target();
    void DrawSkin(const SkinImage& skin, bool withPick);
    void DrawMappingOverlay(const RasterTarget& target);
    void DrawHandles(const RasterTarget& target, uint8_t colour);

    // The mapping as it was when the running drag grabbed its point: the drag is one step.
    std::unique_ptr<MappingChange> dragBefore_;
    // The grabbed point's texel less the texel under the pointer at the grab.
    TexelPoint grabOffset_;
    // Wheel turns short of a notch, kept for the next one.
    int wheelRest_ = 0;
    // Whether every pixel with a texel offset shows that texel's colour but for the mirror axis
    // last drawn, so that recolouring some texels leaves the rest as a whole Recolour would.
    bool picksShown_ = false;
    // Whether the view moved since the picks were recorded (a view drag renders DisplayOnly):
    // a Recolour or Background render, which reads them, then renders Full instead.
    bool picksStale_ = false;
    AxisLine shownAxis_;
};

}  // namespace varp
