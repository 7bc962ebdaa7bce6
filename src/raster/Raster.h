// The software rasterizer's interface: the drawing target, vertex records, fillers and lines.
#pragma once

#include <cstdint>
#include <vector>

namespace varp {

// The record every filler clips and walks, whatever the caller's units: x, y in pixels, u, v in
// 22.10, z in 16.16. The colour-only fillers leave z at 0 and never step it.
struct RasterVertex {
    int32_t x, y, u, v, z;
    bool operator==(const RasterVertex&) const = default;
};

// The fillers' working memory: per row, the leftmost and rightmost column any edge reached and
// the attributes it had there, and room for long clipped outlines. Whoever draws owns one (one
// per thread that draws at the same time) and reserves it for the target's rows before a
// render, so that drawing never allocates. Between fills every row is in its reset state
// (MinX = INT32_MAX, MaxX = INT32_MIN) and TopRow > BottomRow: a filler resets the rows it used
// when it is done, so the next one need not clear the whole table first.
struct EdgeTable {
    std::vector<int32_t> MinX, MaxX, LeftU, LeftV, LeftZ, RightU, RightV, RightZ;
    std::vector<RasterVertex> Outline;  // clipped outlines of more vertices than fit the stack
    int32_t TopRow = INT32_MAX;
    int32_t BottomRow = INT32_MIN;

    int32_t Capacity() const { return static_cast<int32_t>(MinX.size()); }
    // Grows the table to at least `rows` rows, the new ones reset.
    void Reserve(int32_t rows);
    // Resets rows TopRow..BottomRow and the two bounds.
    void ResetUsedRows();
};

// The destination of all polygon and line drawing. A renderer assigns every field it relies on
// immediately before it draws; the primitives only read it. The fillers draw nothing when the
// clip rectangle is empty or reaches outside Pitch x Rows (the default one is empty), or when
// the target has no edge table.
struct RasterTarget {
    uint8_t* Colour = nullptr;  // Pitch x Rows palette indices, row 0 first in memory
    uint16_t* Depth = nullptr;  // same layout; only the depth-testing fillers use it
    uint32_t* Pick = nullptr;   // same layout; pick and id fillers write it, DrawLineOverId reads
    int32_t Pitch = 0;          // pixels per row of all three buffers
    int32_t Rows = 0;
    int32_t ClipLeft = 0;  // inclusive column range polygons are clipped to
    int32_t ClipRight = -1;
    int32_t ClipTop = 0;  // inclusive row range polygons are clipped to
    int32_t ClipBottom = -1;
    EdgeTable* Edges = nullptr;  // the fillers' working memory, the caller's
    // The inclusive rows this draw may write, for a picture drawn band by band on several
    // threads. Polygons and lines are clipped and stepped exactly as for the whole target, and
    // only their pixels in these rows are stored, so the bands together draw the same pixels.
    int32_t BandTop = 0;
    int32_t BandBottom = INT32_MAX;
};

// x, y: pixel column and buffer row; u, v: texel column and row in 22.10 fixed point.
struct TexVertex {
    int32_t x, y, u, v;
};

// x, y: pixels; u, v: texel column and row in 26.6; z: depth in 26.6 (smaller is nearer).
struct TexDepthVertex {
    int32_t x, y, u, v, z;
};

// Polygons: n vertices plus a closing copy of vertex 0 at v[n]. The texture is an 8-bit image
// of `texturePitch` texels per row; every vertex's u, v must lie inside it.
void DrawTexturedPolygon(const RasterTarget& target, const TexVertex* v, int32_t n,
                         const uint8_t* texture, int32_t texturePitch);
void DrawTexturedPolygonPick(const RasterTarget& target, const TexVertex* v, int32_t n,
                             const uint8_t* texture, int32_t texturePitch);
void DrawTexturedPolygonDepth(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                              const uint8_t* texture, int32_t texturePitch);
void DrawTexturedPolygonDepthPick(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                                  const uint8_t* texture, int32_t texturePitch);
void DrawTexturedPolygonDepthId(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                                const uint8_t* texture, int32_t texturePitch, uint32_t id);

// Stores `value` count times; nothing when count <= 0.
void FillWords(uint32_t* dst, int32_t count, uint32_t value);

// Lines: x0, y0, x1, y1 in columns and buffer rows, already inside the target (see ClipLine).
// The drawers may overwrite the array.
void DrawLine(const RasterTarget& target, int32_t line[4], uint8_t colour);
// As DrawLine, but writes only pixels whose Pick entry equals id.
void DrawLineOverId(const RasterTarget& target, int32_t line[4], uint8_t colour, uint32_t id);
// Clips a line to columns 0..Pitch-1 and rows 0..Rows-1: 1 with the array rewritten, or 0 with
// the array unchanged when nothing of it is inside.
int ClipLine(const RasterTarget& target, int32_t line[4]);
// Clips a camera-space segment (x0, y0, z0, x1, y1, z1) at the near plane z = 0.1: 0 when it
// lies wholly nearer than the plane, else 1 with the nearer endpoint moved onto the plane.
int ClipSegmentNear(float segment[6]);

inline constexpr float NearPlane = 0.1f;

}  // namespace varp
