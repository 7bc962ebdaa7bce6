// Colours that stand out against a palette: for outlines, handles and the mirror axis drawn
// over a skin of any colours.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace varp {

// The squared RGB distance between two entries of a palette.
inline int32_t PaletteDistance(const std::array<uint8_t, 768>& palette, int a, int b) {
    int32_t sum = 0;
    for (int c = 0; c < 3; ++c) {
        const int32_t d = int32_t{palette[static_cast<size_t>(3 * a + c)]} -
                          palette[static_cast<size_t>(3 * b + c)];
        sum += d * d;
    }
    return sum;
}

// The entry farthest from `a`, and the one whose distance to the nearer of `a` and `b` is the
// largest; of equally far entries the first.
inline uint8_t FarthestEntry(const std::array<uint8_t, 768>& palette, uint8_t a, uint8_t b) {
    int best = 0;
    int32_t bestDistance = -1;
    for (int e = 0; e < 256; ++e) {
        const int32_t d = std::min(PaletteDistance(palette, e, a), PaletteDistance(palette, e, b));
        if (d > bestDistance) {
            best = e;
            bestDistance = d;
        }
    }
    return static_cast<uint8_t>(best);
}
inline uint8_t FarthestEntry(const std::array<uint8_t, 768>& palette, uint8_t a) {
    return FarthestEntry(palette, a, a);
}

}  // namespace varp
