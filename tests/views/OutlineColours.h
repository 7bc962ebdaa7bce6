// The mapping outlines' colours worked out the plain way: of all 256 entries, the one whose
// nearer distance to the given ones is the largest (first of equals).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace varp::test {

struct OutlineColours {
    uint8_t plain, selected, grabbed;
};

inline uint8_t Farthest(const std::array<uint8_t, 768>& pal, std::initializer_list<int> from) {
    int best = 0;
    long bestDistance = -1;
    for (int e = 0; e < 256; ++e) {
        long nearest = 1L << 30;
        for (int f : from) {
            long d = 0;
            for (int c = 0; c < 3; ++c) {
                const long diff = long{pal[size_t(3 * e + c)]} - pal[size_t(3 * f + c)];
                d += diff * diff;
            }
            if (d < nearest) nearest = d;
        }
        if (nearest > bestDistance) best = e, bestDistance = nearest;
    }
    return uint8_t(best);
}

inline OutlineColours OutlineColoursOf(const std::array<uint8_t, 768>& pal, uint8_t paint) {
    const uint8_t selected = Farthest(pal, {paint});
    return {paint, selected, Farthest(pal, {paint, selected})};
}

}  // namespace varp::test
