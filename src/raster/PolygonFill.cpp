// The five textured polygon fillers: one clip, walk and span pipeline, instantiated per writer.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/Raster.h"
#include "raster/RasterInternal.h"

namespace varp {

namespace {

// The callers draw triangles and rectangles; an outline of up to this many vertices is built on
// the stack, a larger one in the edge table's outline buffer, which only grows.
constexpr int32_t InlineVertices = 8;

RasterVertex ToRaster(const TexVertex& s) {
    return {s.x, s.y, s.u, s.v, 0};
}
// The depth records arrive in 26.6; walking them in 22.10 and 16.16 keeps the fraction bits the
// edge and span steps need.
RasterVertex ToRaster(const TexDepthVertex& s) {
    return {s.x, s.y, Shl32(s.u, 4), Shl32(s.v, 4), Shl32(s.z, 10)};
}

// Clips every edge of the closed outline v[0..n] to the columns and appends what survives to
// `out`: the moved start (only when the clip moved it) and the end. Returns the vertex count; when
// it is not 0 the outline is closed with a copy of its first vertex at out[count].
template <class Source>
int32_t BuildOutline(const Source* v, int32_t n, int32_t clipLeft, int32_t clipRight,
                     RasterVertex* out) {
    int32_t count = 0;
    for (int32_t i = 0; i < n; ++i) {
        RasterVertex a = ToRaster(v[i]), b = ToRaster(v[i + 1]);
        const EdgeClip clip = ClipEdgeX(a, b, clipLeft, clipRight);
        if (clip == EdgeClip::Outside) continue;
        if (clip == EdgeClip::StartMoved) out[count++] = a;
        out[count++] = b;
    }
    if (count > 0) out[count] = out[0];
    return count;
}

// Span writers: what one pixel of a span does. The span loop is instantiated per writer, so the
// choice costs nothing per pixel.
struct ColourWriter {
    static constexpr bool WithDepth = false;
    uint8_t* Colour;
    const uint8_t* Texture;
    void operator()(ptrdiff_t i, int32_t offset, int32_t) const { Colour[i] = Texture[offset]; }
};

struct ColourPickWriter {
    static constexpr bool WithDepth = false;
    uint8_t* Colour;
    uint32_t* Pick;
    const uint8_t* Texture;
    void operator()(ptrdiff_t i, int32_t offset, int32_t) const {
        Colour[i] = Texture[offset];
        Pick[i] = static_cast<uint32_t>(offset);
    }
};

// The depth test compares the low 16 bits of the running depth, read signed, with the stored
// unsigned value. It is strict, so of two surfaces at the same depth the first drawn stays.
inline bool DepthPasses(const uint16_t* depth, ptrdiff_t i, int32_t z) {
    return static_cast<int16_t>(z) < depth[i];
}

struct DepthWriter {
    static constexpr bool WithDepth = true;
    uint8_t* Colour;
    uint16_t* Depth;
    const uint8_t* Texture;
    void operator()(ptrdiff_t i, int32_t offset, int32_t z) const {
        if (!DepthPasses(Depth, i, z)) return;
        Depth[i] = static_cast<uint16_t>(z);
        Colour[i] = Texture[offset];
    }
};

struct DepthPickWriter {
    static constexpr bool WithDepth = true;
    uint8_t* Colour;
    uint16_t* Depth;
    uint32_t* Pick;
    const uint8_t* Texture;
    void operator()(ptrdiff_t i, int32_t offset, int32_t z) const {
        if (!DepthPasses(Depth, i, z)) return;
        Depth[i] = static_cast<uint16_t>(z);
        Colour[i] = Texture[offset];
        Pick[i] = static_cast<uint32_t>(offset);
    }
};

struct DepthIdWriter {
    static constexpr bool WithDepth = true;
    uint8_t* Colour;
    uint16_t* Depth;
    uint32_t* Pick;
    const uint8_t* Texture;
    uint32_t Id;
    void operator()(ptrdiff_t i, int32_t offset, int32_t z) const {
        if (!DepthPasses(Depth, i, z)) return;
        Depth[i] = static_cast<uint16_t>(z);
        Colour[i] = Texture[offset];
        Pick[i] = Id;
    }
};

// Fills every row of the table between TopRow and BottomRow from MinX to MaxX, interpolating
// affinely. Steps divide by the pixel count, not by MaxX - MinX, so the last pixel stops one step
// short of the right-hand values; z runs as a whole depth from LeftZ >> 16. The writer is taken
// by value and the columns are read through locals: the byte stores may alias anything, and
// the compiler would otherwise reload every pointer at every pixel.
template <class Writer>
void FillSpans(const EdgeTable& table, ptrdiff_t pitch, int32_t texturePitch, const Writer write) {
    const int32_t *minX = table.MinX.data(), *maxX = table.MaxX.data();
    const int32_t *leftU = table.LeftU.data(), *leftV = table.LeftV.data();
    const int32_t *rightU = table.RightU.data(), *rightV = table.RightV.data();
    const int32_t *leftZ = table.LeftZ.data(), *rightZ = table.RightZ.data();
    for (int32_t r = table.TopRow; r <= table.BottomRow; ++r) {
        const int32_t x0 = minX[r], x1 = maxX[r];
        if (x0 > x1) continue;
        const int32_t count = x1 - x0 + 1;
        int32_t u = leftU[r], v = leftV[r], z = 0;
        int32_t du = 0, dv = 0, dz = 0;
        if constexpr (Writer::WithDepth) z = leftZ[r] >> 16;
        if (x0 < x1) {
            du = Sub32(rightU[r], u) / count;
            dv = Sub32(rightV[r], v) / count;
            if constexpr (Writer::WithDepth)
                dz = static_cast<int16_t>((rightZ[r] >> 16) - z) / count;
        }
        const ptrdiff_t first = r * pitch + x0;
        for (ptrdiff_t i = first; i < first + count; ++i) {
            write(i, (v >> 10) * texturePitch + (u >> 10), z);
            u += du;
            v += dv;
            if constexpr (Writer::WithDepth) z += dz;
        }
    }
}

// A clip rectangle that is empty or reaches outside the buffers would make bisection loop for
// ever or write outside them, so such a target draws nothing.
bool ClipRectIsUsable(const RasterTarget& t) {
    return 0 <= t.ClipLeft && t.ClipLeft <= t.ClipRight && t.ClipRight < t.Pitch &&
           0 <= t.ClipTop && t.ClipTop <= t.ClipBottom && t.ClipBottom < t.Rows;
}

// Whether the polygon's rows reach the target's band. Clipping never leaves the range of the
// vertices, so a polygon wholly above or below the band has nothing to draw there.
template <class Source>
bool ReachesBand(const RasterTarget& t, const Source* v, int32_t n) {
    int32_t top = v[0].y, bottom = v[0].y;
    for (int32_t i = 1; i < n; ++i) {
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    return t.BandTop <= t.BandBottom && bottom >= t.BandTop && top <= t.BandBottom;
}

template <class Source, class Writer>
void FillPolygon(const RasterTarget& target, const Source* v, int32_t n, int32_t texturePitch,
                 const Writer& write) {
    if (n <= 0 || target.Edges == nullptr || !ClipRectIsUsable(target)) return;
    if (!ReachesBand(target, v, n)) return;
    EdgeTable& table = *target.Edges;

    std::array<RasterVertex, 2 * InlineVertices + 1> inlineOutline;
    RasterVertex* outline = inlineOutline.data();
    if (n > InlineVertices) {
        const auto needed = 2 * static_cast<size_t>(n) + 1;
        if (table.Outline.size() < needed) table.Outline.resize(needed);
        outline = table.Outline.data();
    }
    const int32_t count = BuildOutline(v, n, target.ClipLeft, target.ClipRight, outline);
    if (count == 0) return;

    table.Reserve(target.Rows);
    for (int32_t i = 0; i < count; ++i) {
        RasterVertex a = outline[i], b = outline[i + 1];
        if (ClipEdgeY(a, b, target.ClipTop, target.ClipBottom) == EdgeClip::Outside) continue;
        WalkEdge<Writer::WithDepth>(table, a, b, target.BandTop, target.BandBottom);
    }
    FillSpans(table, target.Pitch, texturePitch, write);
    table.ResetUsedRows();
}

}  // namespace

void DrawTexturedPolygon(const RasterTarget& target, const TexVertex* v, int32_t n,
                         const uint8_t* texture, int32_t texturePitch) {
    FillPolygon(target, v, n, texturePitch, ColourWriter{target.Colour, texture});
}

void DrawTexturedPolygonPick(const RasterTarget& target, const TexVertex* v, int32_t n,
                             const uint8_t* texture, int32_t texturePitch) {
    FillPolygon(target, v, n, texturePitch, ColourPickWriter{target.Colour, target.Pick, texture});
}

void DrawTexturedPolygonDepth(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                              const uint8_t* texture, int32_t texturePitch) {
    FillPolygon(target, v, n, texturePitch, DepthWriter{target.Colour, target.Depth, texture});
}

void DrawTexturedPolygonDepthPick(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                                  const uint8_t* texture, int32_t texturePitch) {
    FillPolygon(target, v, n, texturePitch,
                DepthPickWriter{target.Colour, target.Depth, target.Pick, texture});
}

void DrawTexturedPolygonDepthId(const RasterTarget& target, const TexDepthVertex* v, int32_t n,
                                const uint8_t* texture, int32_t texturePitch, uint32_t id) {
    FillPolygon(target, v, n, texturePitch,
                DepthIdWriter{target.Colour, target.Depth, target.Pick, texture, id});
}

}  // namespace varp
