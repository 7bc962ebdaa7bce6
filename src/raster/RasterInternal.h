// The polygon fillers' shared machinery: the walked vertex record, the edge table, the
// bisection clippers and the Bresenham edge walk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "raster/Raster.h"

namespace varp {

// The fixed-point sums and differences are defined modulo 2^32; doing them unsigned keeps that
// exact meaning without signed overflow.
inline int32_t Add32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t Sub32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t Shl32(int32_t a, int shift) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) << shift);
}

// The exact floor of the mean of two values, summed in 64 bits: it never leaves the range of the
// two, so a bisected vertex's attributes stay between those of the edge's ends.
inline int32_t Mean(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t{a} + int64_t{b}) >> 1);
}

inline RasterVertex Midpoint(const RasterVertex& a, const RasterVertex& b) {
    return {Mean(a.x, b.x), Mean(a.y, b.y), Mean(a.u, b.u), Mean(a.v, b.v), Mean(a.z, b.z)};
}

// The point of the edge from lo to hi whose Axis equals bound, for lo.*Axis <= bound <=
// hi.*Axis. Bisecting the whole record keeps u, v and z consistent with the position without a
// division. The loop ends because lo.*Axis <= bound < hi.*Axis holds throughout and the midpoint
// of two neighbours is the lower one.
template <int32_t RasterVertex::*Axis>
RasterVertex Bisect(RasterVertex lo, RasterVertex hi, int32_t bound) {
    if (hi.*Axis == bound) return hi;
    for (;;) {
        const RasterVertex m = Midpoint(lo, hi);
        if (m.*Axis == bound) return m;
        if (m.*Axis < bound) {
            lo = m;
        } else {
            hi = m;
        }
    }
}

enum class EdgeClip { Outside, Inside, StartMoved };

// Clips the edge a -> b to low..high along Axis, in place. An endpoint lying exactly on a bound
// is re-derived by bisection too, and a replaced endpoint counts as moved even when bisection
// hands back the same record: the outline builder relies on both.
template <int32_t RasterVertex::*Axis>
EdgeClip ClipEdge(RasterVertex& a, RasterVertex& b, int32_t low, int32_t high) {
    // On a tie b is the lower end.
    RasterVertex* lower = a.*Axis < b.*Axis ? &a : &b;
    RasterVertex* upper = lower == &a ? &b : &a;
    if (lower->*Axis > high || upper->*Axis < low) return EdgeClip::Outside;
    bool startMoved = false;
    if (lower->*Axis <= low) {
        *lower = Bisect<Axis>(*lower, *upper, low);
        startMoved = lower == &a;
    }
    if (upper->*Axis >= high) {
        *upper = Bisect<Axis>(*lower, *upper, high);
        startMoved = startMoved || upper == &a;
    }
    return startMoved ? EdgeClip::StartMoved : EdgeClip::Inside;
}

// The bounds are inclusive and must satisfy low <= high (the fillers check the clip rectangle).
inline EdgeClip ClipEdgeX(RasterVertex& a, RasterVertex& b, int32_t clipLeft, int32_t clipRight) {
    return ClipEdge<&RasterVertex::x>(a, b, clipLeft, clipRight);
}
inline EdgeClip ClipEdgeY(RasterVertex& a, RasterVertex& b, int32_t clipTop, int32_t clipBottom) {
    return ClipEdge<&RasterVertex::y>(a, b, clipTop, clipBottom);
}

// Walks the edge a -> b (both inside the table) with Bresenham steps, widening the extents of
// the rows bandTop..bandBottom it reaches. Comparisons are strict so that on a tie the edge
// walked first keeps the row; attribute steps are one truncating division per edge. The walk
// always starts at a, so a row's extents do not depend on the band it is stored for.
template <bool WithDepth>
void WalkEdge(EdgeTable& table, const RasterVertex& a, const RasterVertex& b, int32_t bandTop,
              int32_t bandBottom) {
    const int32_t lowY = std::min(a.y, b.y), highY = std::max(a.y, b.y);
    if (highY < bandTop || lowY > bandBottom) return;
    table.TopRow = std::min(table.TopRow, std::max(lowY, bandTop));
    table.BottomRow = std::max(table.BottomRow, std::min(highY, bandBottom));

    int32_t dx = b.x - a.x, dy = b.y - a.y;
    const int32_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    const bool xMajor = dx > dy;
    const int32_t longLen = xMajor ? dx : dy, shortLen = xMajor ? dy : dx;
    // The step along the long axis alone, as (x, y) increments.
    const int32_t axialX = xMajor ? sx : 0, axialY = xMajor ? 0 : sy;

    int32_t du = 0, dv = 0, dz = 0;
    if (longLen > 0) {
        du = Sub32(b.u, a.u) / longLen;
        dv = Sub32(b.v, a.v) / longLen;
        if constexpr (WithDepth) dz = Sub32(b.z, a.z) / longLen;
    }

    int32_t *const minX = table.MinX.data(), *const maxX = table.MaxX.data();
    int32_t *const leftU = table.LeftU.data(), *const leftV = table.LeftV.data();
    int32_t *const rightU = table.RightU.data(), *const rightV = table.RightV.data();
    int32_t *const leftZ = table.LeftZ.data(), *const rightZ = table.RightZ.data();
    int32_t x = a.x, y = a.y, u = a.u, v = a.v, z = a.z;
    int32_t error = 2 * shortLen - longLen;
    // Rows lie in 0..Rows-1 and the band starts at or after row 0, so one unsigned comparison
    // tells a row of the band; y only moves towards sy, so once past the band the walk is done.
    const auto bandRows = static_cast<uint32_t>(bandBottom - bandTop);
    const int32_t pastBand = sy > 0 ? bandBottom : bandTop;
    for (int32_t i = 0; i <= longLen; ++i) {
        if (static_cast<uint32_t>(y - bandTop) > bandRows) {
            if ((y - pastBand) * sy > 0) break;
        } else {
            if (x < minX[y]) {
                minX[y] = x;
                leftU[y] = u;
                leftV[y] = v;
                if constexpr (WithDepth) leftZ[y] = z;
            }
            if (x > maxX[y]) {
                maxX[y] = x;
                rightU[y] = u;
                rightV[y] = v;
                if constexpr (WithDepth) rightZ[y] = z;
            }
        }
        if (error >= 0) {
            x += sx;
            y += sy;
            error += 2 * (shortLen - longLen);
        } else {
            x += axialX;
            y += axialY;
            error += 2 * shortLen;
        }
        u = Add32(u, du);
        v = Add32(v, dv);
        if constexpr (WithDepth) z = Add32(z, dz);
    }
}

}  // namespace varp
