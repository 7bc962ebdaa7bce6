// The paint tools: brush, line, flood fill, replace colour and shade, with the mirror, each use
// from press to release one stroke and so one undo step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/History.h"
#include "app/Workspace.h"
#include "edit/Brush.h"
#include "edit/Stroke.h"

namespace varp {

// What a tool writes: for every colour a texel had when the stroke began, its new colour.
using Ink = std::array<uint8_t, 256>;

// Every colour becomes `colour`.
Ink SolidInk(uint8_t colour);

// Every colour becomes the next brighter (or darker) entry of its own row of 16 in the palette,
// by luminance (0.2126 R + 0.7152 G + 0.0722 B; of equally bright entries the lowest index),
// never a protected one; a colour with none such stays.
Ink ShadeInk(const std::array<uint8_t, 768>& palette, const int32_t locks[256], bool brighter);

// Where the flat skin's mirror takes texel column s: about the axis `axis` half texels from
// the skin's left edge. An axis equal to the width (the centre) pairs s with width - 1 - s.
inline int32_t MirrorColumn(int32_t s, int32_t axis) {
    return axis - 1 - s;
}

// The flat skin's mirror axis in half texels: the Workspace's, or the current skin's centre.
int32_t MirrorAxisOf(const Workspace& ws);

// Whether the centre of texel (s, t) lies inside or on the outline joining the centres of the
// triangle's corner texels.
bool TexelInTriangle(const ModelTriangle& triangle, int32_t s, int32_t t);

// Marks in `mask` (resized to the current skin) the texels of the selected triangles, as the
// mapping outlines show them: every texel whose centre lies inside or on the outline that
// joins the centres of the triangle's corner texels, and every texel along that outline.
// Returns false when no triangle is selected.
bool SelectionMask(const Workspace& ws, std::vector<uint8_t>& mask);

// One use of a paint tool, press to release: the tool, brush and ink chosen at the press, the
// stroke recording what it writes, and working memory kept between uses, so that only a press
// on a larger skin than any before allocates.
class ToolStroke {
  public:
    // Starts a use of the Workspace's tool on the current skin. `darker`: Shade steps down.
    // `flatMirror`: with the mirror on, the texel operations also paint their image about the
    // flat skin's axis (the 3D view mirrors through the model instead, texel by texel).
    void Begin(Workspace& ws, bool darker, bool flatMirror);
    bool Active() const { return stroke_.Active(); }
    int32_t Tool() const { return tool_; }
    const Footprint& Brush() const { return brush_; }

    // The brush centred on texel (s, t).
    void Stamp(Workspace& ws, int32_t s, int32_t t);
    // The brush along the texel line from (s0, t0) to (s1, t1); the first texel only when
    // `withFirst` (a stroke's moves leave out the texel the last one ended on).
    void Line(Workspace& ws, int32_t s0, int32_t t0, int32_t s1, int32_t t1, bool withFirst);
    // One texel through the ink, without brush or mirror. Returns whether it was painted.
    bool PaintTexel(Workspace& ws, int32_t s, int32_t t) { return stroke_.Paint(ws, s, t, ink_); }
    // The 4-connected region of texel (s, t)'s colour becomes the paint colour, inside the
    // selected triangles' texels when the Workspace says so and a triangle is selected.
    void Fill(Workspace& ws, int32_t s, int32_t t);
    // Every texel of texel (s, t)'s colour becomes the paint colour, in the selected triangles'
    // texels when the Workspace says so and a triangle is selected, else in the whole skin;
    // nothing when the paint colour is protected.
    void Replace(Workspace& ws, int32_t s, int32_t t);
    // Puts back everything written so far (a line drawn again from its anchor).
    void Revert() { stroke_.Revert(); }

    // The texels written since ClearEvent, for the refresh of one input event.
    const TexelRect& EventArea() const { return stroke_.EventArea(); }
    void ClearEvent() { stroke_.ClearEvent(); }
    // Ends the use: its step, named for the tool, or null when it changed nothing.
    std::unique_ptr<EditStep> End();

  private:
    void StampOne(Workspace& ws, int32_t s, int32_t t);
    void FillRegion(Workspace& ws, int32_t s, int32_t t, uint8_t colour);

    Stroke stroke_;
    Ink ink_{};
    Footprint brush_;
    int32_t tool_ = ToolBrush;
    int32_t mirrorAxis_ = 0;
    bool mirrored_ = false;
    bool masked_ = false;
    std::vector<uint8_t> mask_;
    std::vector<int32_t> pending_;  // the flood fill's runs still to look at, (s, t) pairs
};

}  // namespace varp
