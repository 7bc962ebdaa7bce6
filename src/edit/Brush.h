// Brush footprints and the straight line between two grid points, for texels on the flat skin
// and for screen pixels on the 3D view alike.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "app/Workspace.h"

namespace varp {

// The cells a brush covers around the cell under the cursor, as one span per row. A brush of
// an even size has one more cell right of and below the cursor than left of and above it.
struct Footprint {
    int32_t Size = 1;
    int32_t First = 0;             // the offset of the top row and of the leftmost column
    int32_t Left[MaxBrushSize]{};  // per row (from the top), the offsets of the span's ends
    int32_t Right[MaxBrushSize]{};

    // Cells in all.
    int32_t Count() const;
};

// A square or round brush of `size` cells across (held to MinBrushSize..MaxBrushSize). The
// round one keeps the cells whose centres lie within sqrt(size^2 / 4 - 1/2) of the brush's
// centre: size 3 is a plus, and no size up to 16 has a lone cell sticking out of a side. Sizes
// 1 and 2 are square either way.
Footprint MakeFootprint(int32_t size, bool round);

// The footprint the Workspace's brush settings give.
inline Footprint BrushOf(const Workspace& ws) {
    return MakeFootprint(ws.BrushSize, ws.BrushRound != 0);
}

// Calls visit(x, y) for every point of the line from (x0, y0) to (x1, y1), both ends included,
// one per step along the longer axis (each step moves to one of the eight neighbours), so that
// a stroke through them has no gap. The same two ends in the other order give the same points.
template <typename Visit>
void WalkLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit&& visit) {
    // Walked from the lesser end, so that both directions round alike.
    if (x1 < x0 || (x1 == x0 && y1 < y0)) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int64_t dx = int64_t{x1} - x0, dy = std::llabs(int64_t{y1} - y0);
    const int32_t sy = y1 < y0 ? -1 : 1;
    const int64_t steps = dx > dy ? dx : dy;
    // The minor coordinate at step i is the exact one rounded half up: minor0 + (i * d + n/2)
    // div n, kept incrementally in an error term.
    int32_t x = x0, y = y0;
    int64_t error = steps / 2;
    for (int64_t i = 0;; ++i) {
        visit(x, y);
        if (i == steps) return;
        if (dx > dy) {
            ++x;
            error += dy;
            if (error >= steps) {
                error -= steps;
                y += sy;
            }
        } else {
            y += sy;
            error += dx;
            if (error >= steps) {
                error -= steps;
                ++x;
            }
        }
    }
}

}  // namespace varp
