// Brush footprints: square, or round by the distance of each cell's centre.
#include "edit/Brush.h"

#include <algorithm>

namespace varp {

int32_t Footprint::Count() const {
    int32_t n = 0;
    for (int32_t row = 0; row < Size; ++row) n += Right[row] - Left[row] + 1;
    return n;
}

Footprint MakeFootprint(int32_t size, bool round) {
    Footprint f;
    f.Size = std::clamp(size, MinBrushSize, MaxBrushSize);
    f.First = -(f.Size - 1) / 2;
    // In quarter cells, so that every square of a distance is an exact integer: cell i's centre
    // lies at 4 i, the brush's centre at 2 (size - 1).
    const int32_t centre = 2 * (f.Size - 1);
    const int32_t limit = 4 * f.Size * f.Size - 8;
    for (int32_t row = 0; row < f.Size; ++row) {
        f.Left[row] = f.First;
        f.Right[row] = f.First + f.Size - 1;
        if (!round || f.Size <= 2) continue;
        const int32_t dy = 4 * row - centre;
        int32_t column = 0;
        while (column < f.Size) {
            const int32_t dx = 4 * column - centre;
            if (dx * dx + dy * dy <= limit) break;
            ++column;
        }
        // Rows are symmetric about the centre column: the span runs from `column` to its mirror.
        f.Left[row] = f.First + column;
        f.Right[row] = f.First + f.Size - 1 - column;
    }
    return f;
}

}  // namespace varp
