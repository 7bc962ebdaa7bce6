// The 3D view pane: the camera, the colour, depth and pick buffers, the model renderer and the
// mouse interaction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/BandPool.h"
#include "raster/Raster.h"
#include "views/Pane.h"
#include "views/iso/Camera.h"
#include "views/iso/TexelIndex.h"

namespace varp {

class IsoBox : public Pane {
  public:
    // What Render redraws. In Mapping mode every kind draws Mapping.
    enum class Kind {
        Recolour,    // picked pixels take their texel's present colour
        Full,        // clear and draw, texel offsets into PickBuffer
        Background,  // unpicked pixels take BackgroundColour
        Quick,       // clear and draw, PickBuffer left alone (a camera drag's moves)
        Mapping,     // clear and draw with triangle indices into PickBuffer, then the outlines
    };

    // The pick entry of a pixel that shows no triangle.
    static constexpr uint32_t NoPick = 0xFFFFFFFFu;

    // What the entries of PickBuffer stand for, as left by the last render that wrote them.
    enum class PickMeaning { Nothing, TexelOffsets, TriangleIndices };

    // The mouse interaction under way. Only Idle accepts a button press.
    enum class Drag {
        Idle,
        CameraEnding,  // camera drag over, the other button still down
        StrokeEnding,  // any other drag over, the other button still down
        Orbit,         // left: Orbit, or Dolly while right is down too
        Look,          // right: Look, or PushTarget while left is down too
        Zoom,          // left: ZoomFieldOfView
        Paint,         // left: the paint tool, from the texel under the mouse
        ShadeDown,     // right with the Shade tool: texels one step darker
        Pick,          // right: PaintColour from the texel under the mouse
        Select,        // left: select the triangle under the mouse
        Deselect,      // right: deselect the triangle under the mouse
    };

    IsoBox(App& app, PaneHost& host);

    // New client size: the width is raised to a multiple of 4; a size that rounds to the
    // present one changes nothing; otherwise the buffers are replaced and fully rendered.
    void OnSize(int cx, int cy) override;

    // Redraws the buffers. Never allocates. Full, Quick and Mapping split the buffers into bands
    // of rows drawn on all the pane's threads, with the same picture as one band gives.
    void Render(Kind kind);
    // The blit of a tall rectangle (a camera drag shows the whole pane at every move) in bands
    // of rows on the pane's threads; a stroke's few rows stay on the caller's. IsoBands.cpp.
    void BlitArea(const uint32_t table[256], int left, int top, int width, int height,
                  uint32_t* dst, int dstStride) override;
    // A Recolour of only the pixels that show texels of `area` (the current skin's, changed
    // since the last render), with the same result as Render(Kind::Recolour); Dirty() is then
    // the rectangle of those pixels. A large or unknown (empty) area, or a picture that does
    // not show its picks' texels (drawn since by a Quick render), gets the whole Recolour.
    // IsoRecolour.cpp.
    void RecolourTexels(const TexelRect& area);
    // Builds the index RecolourTexels reads now, if the picks show texels and it is not built:
    // the main window calls it when idle after a full render, so that the first paint event
    // after it does not pay for the pass over the picks.
    void PrepareTexelIndex();
    bool TexelIndexReady() const { return texelIndex_.Built(); }
    // The number of bands; 0, the default, chooses from the threads and the height.
    void SetBands(int32_t bands) { bandsWanted_ = bands; }

    // The pick entry under a window point (y downward), NoPick outside the buffers.
    uint32_t PickAt(ClientPoint p) const;
    PickMeaning PickHolds() const { return pickHolds_; }

    // Mouse messages (IsoInteraction.cpp). A press starts the drag that the mode and the keys
    // held choose; the drag ends when both buttons are up or the capture is lost.
    void OnLButtonDown(ClientPoint p, unsigned flags) override;
    void OnRButtonDown(ClientPoint p, unsigned flags) override;
    void OnMouseMove(ClientPoint p, unsigned flags) override;
    void OnLButtonUp(ClientPoint p, unsigned flags) override;
    void OnRButtonUp(ClientPoint p, unsigned flags) override;
    void OnCaptureChanged() override;

    // Gives up the capture and forgets the keys of the press.
    void EndDrag();

    // The wheel moves the eye nearer (away from the user) or farther, DollyPerNotch dolly
    // pixels a notch. Home frames the model: the bounding sphere of the current frame fills
    // the smaller side of the view, seen from where the eye looks from now.
    void OnMouseWheel(ClientPoint p, int delta, unsigned flags) override;
    void FitView() override;
    static constexpr int DollyPerNotch = 50;

    // The mirror was turned on or off: its buffers are made or freed (a full render fills
    // them). Without the memory for them the mirror paints nothing on this view.
    void MirrorChanged();
    // The texel offset of the model mirrored about its left-right plane (y = 0) shown under a
    // window point, as the last full render with the mirror on recorded it, or NoPick.
    uint32_t MirrorTexelUnder(ClientPoint p) const;

    Drag DragState = Drag::Idle;
    ClientPoint PressPoint;  // where the running drag's button went down
    int32_t CtrlHeld = 0;    // 1 when Ctrl was down at that press
    int32_t ShiftHeld = 0;   // 1 when Shift was down at that press

    Camera ViewCamera;

    // Same layout as PixelBuffer: BufferWidth x BufferHeight, row 0 the bottom line.
    std::vector<uint16_t> DepthBuffer;  // 0xFFFF where nothing was drawn; smaller is nearer
    // NoPick where no triangle is shown; else the offset row x SkinWidth + column of the shown
    // texel in the current skin, or, after a Mapping render, the index of the shown triangle.
    std::vector<uint32_t> PickBuffer;

    // The last render's working data, kept in fixed arrays so that rendering never allocates.
    std::array<CameraVertex, MaxVertices> CameraVertices{};
    std::array<int16_t, MaxTriangles> VisibleList{};  // accepted triangles, ascending
    int32_t VisibleCount = 0;
    double MinZ = 0;  // nearest and farthest camZ among the accepted corners
    double MaxZ = 0;
    double DepthScale = 0;

  private:
    // The interaction's pieces (IsoInteraction.cpp, IsoStrokes.cpp).
    void PressButton(ClientPoint p, unsigned flags, bool left);
    void StartDrag(ClientPoint p, unsigned flags);
    void MoveCamera(ClientPoint p, unsigned flags);
    void ReleaseButton(unsigned flags, bool left);
    void PickColour(ClientPoint p);
    void ChangeSelection(ClientPoint p, bool select);
    // The paint tool's press and moves (IsoStrokes.cpp): the brush is a footprint of screen
    // pixels, each painting the texel shown there (and with the mirror, the mirrored one).
    void BeginPaint(ClientPoint p, unsigned flags, bool darker);
    void ContinuePaint(ClientPoint p);
    void PaintBrushAt(ClientPoint p);
    void PaintSegment(ClientPoint from, ClientPoint to, bool withFirst);
    void NoteCursor(ClientPoint p);
    // The texel offset / triangle index shown under a window point, or NoPick when nothing is
    // shown there or the entries stand for the other kind (the mode changed since they were
    // recorded) or do not fit the current skin or model.
    uint32_t TexelUnder(ClientPoint p) const;
    uint32_t TriangleUnder(ClientPoint p) const;

    // What a clear of kind Full, Quick or Mapping leaves the pick buffer meaning.
    void NotePickMeaning(Kind kind);
    void RecolourFromPicks();
    // Pixels inside the box take their picked texel's colour; unpicked ones stay. The picks
    // must be texel offsets into the current skin (IsoRecolour.cpp).
    void RecolourPicked(const PixelBox& box);
    void BackgroundFromPicks();
    // Kinds Full, Quick and Mapping: the clear and the model (IsoRender.cpp).
    void DrawModel(Kind kind);
    // The mirrored model into the mirror buffers, before the model itself.
    void DrawMirror(const ViewSetup& setup, const ModelFrame& frame, const SkinImage& skin);
    void TransformVertices(const ViewSetup& setup, const ModelFrame& frame, bool mirrored = false);
    void SelectTriangles(bool mirrored = false);
    // The corners of the accepted triangles on screen, once for all the bands.
    void ProjectCorners(const ViewSetup& setup);
    // Whether the rows of an accepted triangle's corners reach the target's band: its pixels,
    // and so its outline's, lie between them.
    bool ReachesBand(const ModelTriangle& tri, const RasterTarget& target) const;
    void DrawTriangles(Kind kind, const RasterTarget& target, const SkinImage& skin);
    void DrawOutlines(const ViewSetup& setup, const RasterTarget& target);
    void DrawOutline(int t, uint8_t colour, const ViewSetup& setup, const RasterTarget& target);
    // The clear and the drawing of the buffers of `target`, band by band (IsoBands.cpp): without
    // a setup only the clear. The mirror keeps its colours, and Quick the picks.
    void DrawInBands(Kind kind, const RasterTarget& target, bool clearColour,
                     const ViewSetup* setup, const SkinImage* skin);
    struct BandJob;
    static void DrawBand(void* job, int32_t band, int32_t worker);
    struct BlitJob;
    static void BlitBand(void* job, int32_t band, int32_t worker);

    // The mirror's buffers, same layout as the others, and whether the picks hold texel
    // offsets of the present view.
    std::vector<uint8_t> mirrorColour_;
    std::vector<uint16_t> mirrorDepth_;
    std::vector<uint32_t> mirrorPick_;
    bool mirrorValid_ = false;
    // The client width the host reported: the buffer's last 1 to 3 columns lie past it.
    int32_t clientWidth_ = 0;
    int wheelRest_ = 0;

    // Per vertex of an accepted triangle: buffer column, row and depth in 26.6.
    struct ScreenCorner {
        int32_t x, y, z;
    };
    std::array<ScreenCorner, MaxVertices> corners_{};
    // The threads that draw the bands, and the rasterizer's working memory for each.
    BandPool bandPool_{BandPool::HardwareThreads()};
    std::vector<EdgeTable> bandEdges_;
    int32_t bandsWanted_ = 0;

    PickMeaning pickHolds_ = PickMeaning::Nothing;
    // Texels of the skin that the texel offsets were recorded for: a Recolour reads no skin
    // smaller than that.
    size_t pickTexels_ = 0;
    // Whether every pixel with a texel offset shows that texel's colour (after a Full render or
    // a whole Recolour), so that recolouring some texels leaves the rest as a whole one would.
    bool picksShown_ = false;
    // Whether the camera moved since the picks were recorded (a camera drag renders Quick):
    // a Recolour or Background render, which reads them, then renders Full instead.
    bool picksStale_ = false;
    // Whether the picks name texels of the current skin that the picture shows (IsoRecolour.cpp).
    bool PicksShowTexels() const;
    // The rectangle of the pixels showing each texel offset, built at the first RecolourTexels
    // after the picks were rewritten.
    TexelIndex texelIndex_;
};

}  // namespace varp
