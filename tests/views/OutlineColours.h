// The mapping outlines' colours worked out the plain way: of all 256 entries, the one whose
// nearer distance to the given ones is the largest (first of equals).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace varp::test {

inline long Distance(const std::array<uint8_t, 768>& pal, int a, int b) {
    long d = 0;
    for (int c = 0; c < 3; ++c)
        d += long(pal[size_t(3 * a + c)] - pal[size_t(3 * b + c)]) *
             (pal[size_t(3 * a + c)] - pal[size_t(3 * b + c)]);
    return d;
}

struct OutlineColours {
    uint8_t plain, selected, grabbed;
};

inline OutlineColours OutlineColoursOf(const std::array<uint8_t, 768>& pal, uint8_t paint) {
    int far[2] = {0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        for (int e = 1; e < 256; ++e) {
            const auto near = [&](int x) {
                return pass == 0 ? Distance(pal, x, paint)
                                 : std::min(Distance(pal, x, paint), Distance(pal, x, far[0]));
            };
            if (near(e) > near(far[pass])) far[pass] = e;
        }
    }
    return {paint, uint8_t(far[0]), uint8_t(far[1])};
}

}  // namespace varp::test
