// Exact pixels, texels, depths and picks of the fillers on small hand-checked polygons.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "RasterReference.h"
#include "raster/Raster.h"

namespace varp::test {
namespace {

// Texel (c, r) of a 16 x 16 texture holds c + 16 r, so a pixel's colour is its texel offset.
std::vector<uint8_t> OffsetTexture() {
    std::vector<uint8_t> t(256);
    for (size_t i = 0; i < t.size(); ++i) t[i] = uint8_t(i);
    return t;
}

// A closed polygon at one depth whose every corner samples texel (1, 1).
std::vector<TexDepthVertex> Flat(std::vector<std::array<int32_t, 2>> corners, int32_t depth) {
    std::vector<TexDepthVertex> v;
    for (const auto& [x, y] : corners) v.push_back({x, y, 64, 64, depth * 64});
    v.push_back(v.front());
    return v;
}

TEST(PolygonFiller, OversizeRectangleFillsExactlyTheClipRectangle) {
    const std::vector<uint8_t> texture(4, 7);
    Buffers b(23, 17);
    const RasterTarget t = b.Target(3, 16, 2, 11);
    const TexVertex rect[5] = {{-1000, -900, 0, 0},
                               {5000, -900, 1024, 0},
                               {5000, 800, 1024, 1024},
                               {-1000, 800, 0, 1024},
                               {-1000, -900, 0, 0}};
    DrawTexturedPolygon(t, rect, 4, texture.data(), 2);
    for (int32_t y = 0; y < b.Rows; ++y) {
        for (int32_t x = 0; x < b.Pitch; ++x) {
            const bool inside = x >= 3 && x <= 16 && y >= 2 && y <= 11;
            EXPECT_EQ(b.Colour[b.At(x, y)], inside ? 7 : 0) << x << "," << y;
        }
    }
}

TEST(PolygonFiller, DegeneratePolygonDrawsOnePixelWithTheFirstWalkedTexel) {
    const auto texture = OffsetTexture();
    Buffers b(9, 9);
    // Every vertex on pixel (5, 6) but with different texture coordinates. The clipped outline
    // starts with the end of the first edge, so vertex 1 is walked first, claims the row and
    // its texel (9, 9) is drawn.
    const TexVertex v[4] = {{5, 6, 3 << 10, 2 << 10},
                            {5, 6, 9 << 10, 9 << 10},
                            {5, 6, 1 << 10, 7 << 10},
                            {5, 6, 3 << 10, 2 << 10}};
    DrawTexturedPolygonPick(b.Target(), v, 3, texture.data(), 16);
    for (size_t i = 0; i < b.Colour.size(); ++i) {
        const bool hit = i == b.At(5, 6);
        EXPECT_EQ(b.Colour[i], hit ? 153 : 0);
        EXPECT_EQ(b.Pick[i], hit ? 153u : 0xFFFFFFFFu);
    }
}

TEST(PolygonFiller, SharedEdgeAtEqualDepthKeepsTheFirstTriangle) {
    const auto texture = OffsetTexture();
    Buffers b(14, 14);
    const RasterTarget t = b.Target();
    const auto first = Flat({{2, 2}, {11, 2}, {11, 11}}, 500);
    const auto second = Flat({{2, 2}, {11, 11}, {2, 11}}, 500);
    DrawTexturedPolygonDepthId(t, first.data(), 3, texture.data(), 16, 1);
    DrawTexturedPolygonDepthId(t, second.data(), 3, texture.data(), 16, 2);
    for (int32_t y = 0; y < 14; ++y) {
        for (int32_t x = 0; x < 14; ++x) {
            const bool square = x >= 2 && x <= 11 && y >= 2 && y <= 11;
            const uint32_t id = !square ? 0xFFFFFFFF : x >= y ? 1 : 2;
            EXPECT_EQ(b.Pick[b.At(x, y)], id) << x << "," << y;
            EXPECT_EQ(b.Depth[b.At(x, y)], square ? 500 : 0xFFFF);
        }
    }
}

TEST(PolygonFiller, DepthTestIsStrictAndEveryDepthBeatsTheClearValue) {
    const auto texture = OffsetTexture();
    const std::vector<uint8_t> red(256, 200);
    for (const int32_t depth : {0, 1, 12345, 32767}) {
        Buffers b(8, 6);
        const RasterTarget t = b.Target();
        auto quad = [](int32_t d) { return Flat({{1, 1}, {6, 1}, {6, 4}, {1, 4}}, d); };
        DrawTexturedPolygonDepthPick(t, quad(depth).data(), 4, texture.data(), 16);
        const Buffers drawn = b;
        DrawTexturedPolygonDepthPick(t, quad(depth).data(), 4, red.data(), 16);
        EXPECT_EQ(b, drawn) << depth;
        if (depth > 0) DrawTexturedPolygonDepth(t, quad(depth - 1).data(), 4, red.data(), 16);
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 8; ++x) {
                const bool in = x >= 1 && x <= 6 && y >= 1 && y <= 4;
                const size_t i = b.At(x, y);
                EXPECT_EQ(drawn.Depth[i], in ? depth : 0xFFFF);
                EXPECT_EQ(drawn.Colour[i], in ? 17 : 0);
                EXPECT_EQ(drawn.Pick[i], in ? 17u : 0xFFFFFFFFu);
                EXPECT_EQ(b.Colour[i], !in ? 0 : depth > 0 ? 200 : 17);
                EXPECT_EQ(b.Depth[i], !in ? 0xFFFF : depth > 0 ? depth - 1 : 0);
            }
        }
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
    const std::array<std::array<uint8_t, 8>, 4> columns = {{{0, 1, 2, 3, 4, 5, 6, 7},
                                                            {0, 1, 2, 3, 4, 5, 6, 7},
                                                            {0, 1, 2, 3, 4, 5, 6, 7},
                                                            {0, 1, 2, 2, 3, 4, 5, 6}}};
    for (int32_t r = 1; r <= 4; ++r) {
        for (int32_t k = 0; k < 8; ++k) EXPECT_EQ(b.Colour[b.At(2 + k, r)], columns[r - 1][k]);
        EXPECT_EQ(b.Colour[b.At(1, r)], 0);
        EXPECT_EQ(b.Colour[b.At(10, r)], 0);
    }
}

TEST(PolygonFiller, VertexOnClipLeftStillCoversThatColumn) {
    const std::vector<uint8_t> texture(4, 5);
    Buffers b(16, 12);
    // The vertical edge on ClipLeft collapses to a point under the clip; the re-derived ends of
    // the slanted edges and the closing edge still cover column 2 from row 0 to row 10.
    const TexVertex tri[4] = {{2, 0, 0, 0}, {12, 5, 1024, 0}, {2, 10, 0, 1024}, {2, 0, 0, 0}};
    DrawTexturedPolygon(b.Target(2, 15, 0, 11), tri, 3, texture.data(), 2);
    for (int32_t y = 0; y < 12; ++y) {
        EXPECT_EQ(b.Colour[b.At(2, y)], y <= 10 ? 5 : 0) << y;
        EXPECT_EQ(b.Colour[b.At(1, y)], 0);
    }
}

TEST(PolygonFiller, UnusableClipRectanglesDrawNothing) {
    const std::vector<uint8_t> texture(4, 5);
    Buffers b(10, 10);
    const Buffers before = b;
    const TexVertex tri[4] = {{-5, -5, 0, 0}, {20, 3, 0, 0}, {3, 20, 0, 0}, {-5, -5, 0, 0}};
    // Empty (as a default RasterTarget is) or reaching outside the buffers.
    for (const RasterTarget& t :
         {b.Target(0, -1, 0, 9), b.Target(0, 9, 5, 4), b.Target(-1, 9, 0, 9), b.Target(0, 10, 0, 9),
          b.Target(0, 9, -1, 9), b.Target(0, 9, 0, 10)}) {
        DrawTexturedPolygon(t, tri, 3, texture.data(), 2);
    }
    EXPECT_EQ(b, before);
}

}  // namespace
}  // namespace varp::test
