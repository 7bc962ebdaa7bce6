// Lines, the 2D line clipper and the near-plane clipper, with exact pixels and numbers.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

#include "RasterReference.h"
#include "raster/Raster.h"

namespace varp::test {
namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The pixels a line sets in a clear 12 x 24 target.
Pixels Draw(std::array<int32_t, 4> line) {
    Buffers b(12, 24);
    DrawLine(b.Target(), line.data(), 1);
    Pixels p;
    for (int32_t y = 0; y < b.Rows; ++y) {
        for (int32_t x = 0; x < b.Pitch; ++x) {
            if (b.Colour[b.At(x, y)] != 0) p.insert({x, y});
        }
    }
    return p;
}

TEST(DrawLine, WritesMaxOfDxDyPlusOnePixelsDownwardFromTheLowerRow) {
    EXPECT_EQ(Draw({5, 5, 5, 5}), (Pixels{{5, 5}}));
    EXPECT_EQ(Draw({0, 3, 7, 3}),
              (Pixels{{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}));
    EXPECT_EQ(Draw({4, 4, 0, 0}), (Pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_EQ(Draw({3, 2, 3, 6}), (Pixels{{3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}));
    // Drawn from (0, 0): Adj = 32768, so the accumulator wraps on every second row and x lags
    // behind y / 2 on odd rows; drawn from (10, 20) the lag would fall on the other side.
    Pixels expected;
    for (int32_t y = 0; y < 20; ++y) expected.insert({y / 2, y});
    expected.insert({10, 20});
    EXPECT_EQ(Draw({10, 20, 0, 0}), expected);
    // x-major, leftward: Adj = 3 * 65536 / 7 = 28086; the row steps when the sum wraps.
    EXPECT_EQ(Draw({9, 1, 2, 4}),
              (Pixels{{9, 1}, {8, 1}, {7, 1}, {6, 2}, {5, 2}, {4, 3}, {3, 3}, {2, 4}}));
}

TEST(ClipLine, ClipsInSixteenSixteenFixedPointAndKeepsRejectedLines) {
    Buffers b(8, 10);
    const RasterTarget t = b.Target();
    auto clip = [&](std::array<int32_t, 4> line) {
        const int result = ClipLine(t, line.data());
        return std::make_pair(result, line);
    };
    using L = std::array<int32_t, 4>;
    EXPECT_EQ(clip({-10, 5, 10, 5}), std::make_pair(1, L{0, 5, 7, 5}));
    // Each truncation shows: exact arithmetic would end the first at (2, 9) from y = 20, not 21.
    EXPECT_EQ(clip({-4, -2, 12, 30}), std::make_pair(1, L{0, 6, 2, 9}));
    // Swapped on rows, so it comes back bottom first; the negative products floor.
    EXPECT_EQ(clip({2, 12, 6, -4}), std::make_pair(1, L{5, 0, 3, 9}));
    EXPECT_EQ(clip({-3, 9, 12, -7}), std::make_pair(1, L{5, 0, 0, 5}));
    EXPECT_EQ(clip({7, 0, 0, 9}), std::make_pair(1, L{7, 0, 0, 9}));
    // Wholly above row 0, wholly right of the last column, and out only after the column clip.
    EXPECT_EQ(clip({1, -1, 6, -9}), std::make_pair(0, L{1, -1, 6, -9}));
    EXPECT_EQ(clip({8, 0, 20, 9}), std::make_pair(0, L{8, 0, 20, 9}));
    EXPECT_EQ(clip({-10, 5, 5, 20}), std::make_pair(0, L{-10, 5, 5, 20}));
    // Far-off endpoints need the 64-bit products and differences.
    EXPECT_EQ(clip({-2000000000, 5, 2000000000, 5}), std::make_pair(1, L{0, 5, 7, 5}));
}

TEST(ClipSegmentNear, MovesTheNearEndOntoTheFloatPlaneInDoublePrecision) {
    std::array<float, 6> behind{1, 2, 0.05f, 3, 4, -7};
    EXPECT_EQ(ClipSegmentNear(behind.data()), 0);
    EXPECT_EQ(behind, (std::array<float, 6>{1, 2, 0.05f, 3, 4, -7}));

    std::array<float, 6> crossing{0, 0, -1, 100, 200, 1};
    EXPECT_EQ(ClipSegmentNear(crossing.data()), 1);
    EXPECT_EQ(crossing, (std::array<float, 6>{55, 110, 0.1f, 100, 200, 1}));

    // Float-only arithmetic or the double 0.1 would each round differently here.
    std::array<float, 6> odd{-187.375f, -104.375f, -0.125f, 240.625f, 96.375f, 0.375f};
    EXPECT_EQ(ClipSegmentNear(odd.data()), 1);
    EXPECT_EQ(odd, (std::array<float, 6>{0x1.4e666cp+2f, -0x1.c13332p+3f, 0.1f, 240.625f, 96.375f,
                                         0.375f}));

    // Endpoint 0 is the far one only when strictly farther; on the plane counts as in front.
    std::array<float, 6> reversed{10, 0, 2, 0, 10, -2};
    EXPECT_EQ(ClipSegmentNear(reversed.data()), 1);
    EXPECT_EQ(reversed[5], 0.1f);
    EXPECT_EQ(reversed[2], 2.0f);
    std::array<float, 6> onPlane{1, 1, 0.1f, 2, 2, 0.1f};
    EXPECT_EQ(ClipSegmentNear(onPlane.data()), 1);
    EXPECT_EQ(onPlane, (std::array<float, 6>{1, 1, 0.1f, 2, 2, 0.1f}));
}

}  // namespace
}  // namespace varp::test
