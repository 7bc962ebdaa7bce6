// The fillers, their clip and walk machinery, the lines, the line clippers and the word fill:
// exact pixels, texels, depths, picks and records, each worked out by hand.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <set>
#include <tuple>
#include <vector>

#include "raster/RasterInternal.h"

namespace varp {
namespace {

// The three buffers and the edge table of one target, with a guard row above and below so that
// a stray write lands where the test sees it.
struct Buffers {
    int32_t Pitch, Rows;
    std::vector<uint8_t> Colour;
    std::vector<uint16_t> Depth;
    std::vector<uint32_t> Pick;
    EdgeTable Edges;

    Buffers(int32_t pitch, int32_t rows)
        : Pitch(pitch),
          Rows(rows),
          Colour(size_t(pitch * (rows + 2))),
          Depth(Colour.size(), 0xFFFF),
          Pick(Colour.size(), ~0u) {}
    RasterTarget Target() { return Target(0, Pitch - 1, 0, Rows - 1); }
    RasterTarget Target(int32_t left, int32_t right, int32_t top, int32_t bottom) {
        const size_t o = At(0, 0);
        return {&Colour[o], &Depth[o], &Pick[o], Pitch, Rows, left, right, top, bottom, &Edges};
    }
    size_t At(int32_t x, int32_t y) const { return size_t((y + 1) * Pitch + x); }
};

// Texel (c, r) of a 16 x 16 texture holds c + 16 r, so a pixel's colour is its texel offset.
std::vector<uint8_t> OffsetTexture() {
    std::vector<uint8_t> t(256);
    for (size_t i = 0; i < t.size(); ++i) t[i] = uint8_t(i);
    return t;
}

TEST(PolygonFiller, FillsExactlyTheClipRectangleAndNothingWhenItIsUnusable) {
    const std::vector<uint8_t> texture(4, 7);
    const std::vector<TexVertex> rect = {
        {-1000, -900, 0, 0}, {5000, -900, 1024, 0}, {5000, 800, 1024, 1024}, {-1000, 800, 0, 1024}};
    // Twelve corners zigzagging across the whole target: clipped, every edge gives two corners
    // of the outline, more than fit on the stack.
    std::vector<TexVertex> zigzag;
    for (int32_t k = 0; k < 12; ++k) zigzag.push_back({k % 2 ? 1000 : -1000, -900 + 170 * k, 0, 0});
    // Left, right, top, bottom, usable. Empty (as a default RasterTarget is) or reaching
    // outside the 23 x 17 buffers, a polygon draws nothing.
    const std::array<int32_t, 5> clips[] = {
        {3, 16, 2, 11, 1},  {0, 22, 0, 16, 1}, {0, -1, 0, 16, 0},  {0, 22, 5, 4, 0},
        {-1, 22, 0, 16, 0}, {0, 23, 0, 16, 0}, {0, 22, -1, 16, 0}, {0, 22, 0, 17, 0}};
    for (std::vector<TexVertex> polygon : {rect, zigzag}) {
        polygon.push_back(polygon.front());
        for (const auto& [left, right, top, bottom, usable] : clips) {
            Buffers b(23, 17);
            const RasterTarget t = b.Target(left, right, top, bottom);
            DrawTexturedPolygon(t, polygon.data(), int32_t(polygon.size() - 1), texture.data(), 2);
            for (int32_t y = -1; y <= b.Rows; ++y) {
                for (int32_t x = 0; x < b.Pitch; ++x) {
                    const bool in = usable && x >= left && x <= right && y >= top && y <= bottom;
                    ASSERT_EQ(b.Colour[b.At(x, y)], in ? 7 : 0) << x << "," << y << " " << left;
                }
            }
        }
    }
}

TEST(PolygonFiller, EdgesStepLikeBresenhamFromTheFirstVertex) {
    // Error starts at 2*3 - 7 = -1: axial, diagonal, axial, ... so row y ends at column 1 + y/2.
    const std::vector<uint8_t> texture(4, 5);
    Buffers b(6, 9);
    const TexVertex tri[4] = {{1, 0, 0, 0}, {4, 7, 0, 0}, {1, 7, 0, 0}, {1, 0, 0, 0}};
    DrawTexturedPolygon(b.Target(), tri, 3, texture.data(), 2);
    for (int32_t y = 0; y < b.Rows; ++y) {
        for (int32_t x = 0; x < b.Pitch; ++x)
            EXPECT_EQ(b.Colour[b.At(x, y)], y <= 7 && x >= 1 && x <= 1 + y / 2 ? 5 : 0) << x << y;
    }
}

TEST(PolygonFiller, SpansStepByPixelCountAndTruncateTowardZero) {
    const auto texture = OffsetTexture();
    Buffers b(12, 6);
    // A rectangle 8 pixels wide whose u runs 0 .. 8 x 1024. The walk starts at vertex 1, so the
    // vertical edges give rows 1 to 3 both ends and they sample columns 0 to 7. Row 4 takes its
    // left end from the bottom edge, whose step -8192 / 7 truncates to -1170 and leaves u = 2
    // there; with u stepping (8192 - 2) / 8 the row lags a texel behind from the fourth pixel.
    const TexVertex rect[5] = {
        {2, 1, 0, 0}, {9, 1, 8192, 0}, {9, 4, 8192, 0}, {2, 4, 0, 0}, {2, 1, 0, 0}};
    DrawTexturedPolygon(b.Target(), rect, 4, texture.data(), 16);
    const std::array<uint8_t, 8> even = {0, 1, 2, 3, 4, 5, 6, 7}, lag = {0, 1, 2, 2, 3, 4, 5, 6};
    for (int32_t r = 1; r <= 4; ++r) {
        for (int32_t k = 0; k < 8; ++k)
            EXPECT_EQ(b.Colour[b.At(2 + k, r)], (r == 4 ? lag : even)[size_t(k)]) << r << k;
        EXPECT_EQ(b.Colour[b.At(1, r)], 0);
        EXPECT_EQ(b.Colour[b.At(10, r)], 0);
    }
}

TEST(PolygonFiller, DepthTestIsStrictAndEveryDepthBeatsTheClearValue) {
    const auto texture = OffsetTexture();
    const std::vector<uint8_t> red(256, 200);
    for (const int32_t depth : {0, 1, 12345, 32767}) {
        // A quad whose every corner samples texel (1, 1): drawn at `depth` it passes the clear
        // depth, drawn again at the same depth (another id) it fails, one nearer it passes.
        auto quad = [](int32_t z) {
            const int32_t xy[5][2] = {{1, 1}, {6, 1}, {6, 4}, {1, 4}, {1, 1}};
            std::array<TexDepthVertex, 5> q;
            for (size_t k = 0; k < 5; ++k) q[k] = {xy[k][0], xy[k][1], 64, 64, z * 64};
            return q;
        };
        Buffers b(8, 6);
        DrawTexturedPolygonDepthPick(b.Target(), quad(depth).data(), 4, texture.data(), 16);
        DrawTexturedPolygonDepthId(b.Target(), quad(depth).data(), 4, red.data(), 16, 9);
        if (depth > 0)
            DrawTexturedPolygonDepth(b.Target(), quad(depth - 1).data(), 4, red.data(), 16);
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 8; ++x) {
                const bool in = x >= 1 && x <= 6 && y >= 1 && y <= 4;
                const size_t i = b.At(x, y);
                EXPECT_EQ(b.Pick[i], in ? 17u : ~0u);
                EXPECT_EQ(b.Colour[i], !in ? 0 : depth > 0 ? 200 : 17);
                EXPECT_EQ(b.Depth[i], !in ? 0xFFFF : depth > 0 ? depth - 1 : 0);
            }
        }
    }
}

using V = RasterVertex;
using Clipped = std::tuple<EdgeClip, V, V>;

Clipped ClipX(V a, V b, int32_t low, int32_t high) {
    const EdgeClip result = ClipEdgeX(a, b, low, high);
    return {result, a, b};
}

TEST(ClipEdge, RederivesClippedEndsByBisectingTheWholeRecord) {
    constexpr EdgeClip Moved = EdgeClip::StartMoved;
    // Midpoints (5,50), (2,25), (1,12), (0,6): the start on x = 0 lands at row 6, not row 0.
    EXPECT_EQ(ClipX({0, 0, 0, 4096, 0}, {10, 100, 10240, 0, 1 << 20}, 0, 50),
              Clipped(Moved, {0, 6, 640, 3840, 1 << 16}, {10, 100, 10240, 0, 1 << 20}));
    // A vertical edge on ClipLeft: the end is the lower endpoint and is replaced by the start.
    EXPECT_EQ(ClipX({3, 0, 1, 2, 3}, {3, 9, 4, 5, 6}, 3, 8),
              Clipped(EdgeClip::Inside, {3, 0, 1, 2, 3}, {3, 0, 1, 2, 3}));
    // On ClipRight the start is the upper one; handed back unchanged it still counts as moved.
    EXPECT_EQ(ClipX({8, 0, 1, 2, 3}, {8, 9, 4, 5, 6}, 3, 8),
              Clipped(Moved, {8, 0, 1, 2, 3}, {8, 9, 4, 5, 6}));
    // Across both bounds, right to left: the start is the upper end, clipped at x = 7.
    EXPECT_EQ(ClipX({20, 0, 0, 0, 0}, {-12, 32, 3200, 0, 0}, 0, 7),
              Clipped(Moved, {7, 12, 1250, 0, 0}, {0, 20, 2000, 0, 0}));
    // Midpoints are exact means: two ends at depth 2^30 keep it, and an edge across the whole
    // int range gives both clipped ends u = 2^19, its value there.
    EXPECT_EQ(ClipX({-10, 0, 0, 0, 1 << 30}, {10, 0, 0, 0, 1 << 30}, 0, 5),
              Clipped(Moved, {0, 0, 0, 0, 1 << 30}, {5, 0, 0, 0, 1 << 30}));
    EXPECT_EQ(ClipX({INT_MIN, INT_MIN, 0, 0, 0}, {INT_MAX, INT_MAX, 1 << 20, 0, 0}, 100, 200),
              Clipped(Moved, {100, 100, 524288, 0, 0}, {200, 200, 524288, 0, 0}));
}

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The pixels a line sets in a clear 12 x 24 target. Drawn again over a pick buffer that holds
// the id in the even columns only, it must set exactly the even ones of them.
Pixels Draw(std::array<int32_t, 4> line) {
    Buffers b(12, 24), over(12, 24);
    for (size_t i = 0; i < over.Pick.size(); ++i) over.Pick[i] = i % 2 == 0 ? 7 : 8;
    std::array<int32_t, 4> again = line;
    DrawLine(b.Target(), line.data(), 1);
    DrawLineOverId(over.Target(), again.data(), 1, 7);
    Pixels p;
    for (int32_t y = 0; y < b.Rows; ++y) {
        for (int32_t x = 0; x < b.Pitch; ++x) {
            if (b.Colour[b.At(x, y)] != 0) p.insert({x, y});
            EXPECT_EQ(over.Colour[b.At(x, y)], x % 2 == 0 ? b.Colour[b.At(x, y)] : 0);
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
    Pixels expected{{10, 20}};
    for (int32_t y = 0; y < 20; ++y) expected.insert({y / 2, y});
    EXPECT_EQ(Draw({10, 20, 0, 0}), expected);
    // x-major, leftward: Adj = 3 * 65536 / 7 = 28086; the row steps when the sum wraps.
    EXPECT_EQ(Draw({9, 1, 2, 4}),
              (Pixels{{9, 1}, {8, 1}, {7, 1}, {6, 2}, {5, 2}, {4, 3}, {3, 3}, {2, 4}}));
}

TEST(ClipLine, ClipsInSixteenSixteenFixedPointAndKeepsRejectedLines) {
    Buffers b(8, 10);
    auto clip = [t = b.Target()](std::array<int32_t, 4> line) {
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
    EXPECT_EQ(clip({-2000000000, 0, 2000000000, 8}), std::make_pair(1, L{0, 4, 7, 5}));
}

TEST(ClipSegmentNear, MovesTheNearEndOntoTheFloatPlaneInDoublePrecision) {
    using S = std::array<float, 6>;
    auto clip = [](S s) {
        const int result = ClipSegmentNear(s.data());
        return std::make_pair(result, s);
    };
    EXPECT_EQ(clip({1, 2, 0.05f, 3, 4, -7}), std::make_pair(0, S{1, 2, 0.05f, 3, 4, -7}));
    EXPECT_EQ(clip({0, 0, -1, 100, 200, 1}), std::make_pair(1, S{55, 110, 0.1f, 100, 200, 1}));
    // Float-only arithmetic or the double 0.1 would each round differently here.
    EXPECT_EQ(
        clip({-187.375f, -104.375f, -0.125f, 240.625f, 96.375f, 0.375f}),
        std::make_pair(1, S{0x1.4e666cp+2f, -0x1.c13332p+3f, 0.1f, 240.625f, 96.375f, 0.375f}));
    // On the plane counts as in front.
    EXPECT_EQ(clip({1, 1, 0.1f, 2, 2, 0.1f}), std::make_pair(1, S{1, 1, 0.1f, 2, 2, 0.1f}));
}

TEST(FillWords, StoresTheValueCountTimesAndNothingElse) {
    for (const uint32_t value : {0u, 0xABABABABu, 0x7FFFFFFFu, 0x80000000u, 0x12345678u}) {
        for (const int32_t count : {-1, 0, 1, 2, 5}) {
            std::vector<uint32_t> words(8, 0x5A5A5A5A);
            FillWords(words.data() + 1, count, value);
            for (int32_t i = 0; i < 8; ++i) {
                EXPECT_EQ(words[size_t(i)], i >= 1 && i <= count ? value : 0x5A5A5A5Au)
                    << value << " x " << count << " at " << i;
            }
        }
    }
}

}  // namespace
}  // namespace varp
