// The fast fillers and line drawers against the slow literal model, pixel for pixel, on seeded
// random polygons and lines, and at the limits of the coordinate ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "RasterReference.h"
#include "raster/Raster.h"

namespace varp::test {
namespace {

constexpr int32_t TexW = 24, TexH = 20;
constexpr Filler AllFillers[] = {Filler::Colour, Filler::Pick, Filler::Depth, Filler::DepthPick,
                                 Filler::DepthId};

std::vector<uint8_t> RandomTexture(std::mt19937& rng) {
    std::vector<uint8_t> t(TexW * TexH);
    for (auto& texel : t) texel = uint8_t(rng() % 251 + 1);
    return t;
}

struct TargetSetup {
    int32_t Pitch, Rows, Left, Right, Top, Bottom;
};

// Draws the polygon with both implementations into their own copies and compares everything.
void ExpectSameAsReference(Buffers& fast, Buffers& ref, const TargetSetup& s, Filler f,
                           const std::vector<Corner>& polygon, const std::vector<uint8_t>& texture,
                           uint32_t id) {
    FastFill(fast.Target(s.Left, s.Right, s.Top, s.Bottom), f, polygon, texture, TexW, id);
    ReferenceFill(ref, ref.Target(s.Left, s.Right, s.Top, s.Bottom), f, polygon, texture, TexW, id);
    ASSERT_TRUE(fast == ref) << "filler " << int(f) << " polygon " << id;
}

TEST(ReferenceCheck, RandomTrianglesAndRectanglesMatchPixelForPixel) {
    std::mt19937 rng(20240611);
    const auto texture = RandomTexture(rng);
    const TargetSetup setups[] = {{37, 23, 0, 36, 0, 22},
                                  {64, 1100, 0, 63, 0, 1099},
                                  {101, 57, 13, 80, 7, 41},
                                  {3, 2, 0, 2, 0, 1}};
    for (const TargetSetup& s : setups) {
        Buffers fast(s.Pitch, s.Rows), ref(s.Pitch, s.Rows);
        const int32_t w = s.Right - s.Left + 1, h = s.Bottom - s.Top + 1;
        int crossed[4] = {}, drawnPixels = 0;
        auto coord = [&](int32_t lo, int32_t size) {
            return lo - size / 2 + int32_t(rng() % uint32_t(2 * size));
        };
        for (uint32_t i = 0; i < 300; ++i) {
            const Filler f = AllFillers[i % 5];
            const int32_t texScale = UsesDepth(f) ? 64 : 1024;
            // A narrow depth band makes ties and overlaps common.
            const bool band = rng() % 2 == 0;
            auto corner = [&](int32_t x, int32_t y) {
                const int32_t depth = band ? 700 + int32_t(rng() % 4) : int32_t(rng() % 16385);
                return Corner{x, y, int32_t(rng() % ((TexW - 1) * texScale + 1)),
                              int32_t(rng() % ((TexH - 1) * texScale + 1)), depth * 64};
            };
            std::vector<Corner> polygon;
            if (i % 3 == 2) {
                const int32_t x0 = coord(s.Left, w), x1 = coord(s.Left, w);
                const int32_t y0 = coord(s.Top, h), y1 = coord(s.Top, h);
                polygon = {corner(x0, y0), corner(x1, y0), corner(x1, y1), corner(x0, y1)};
            } else if (i % 7 == 0) {
                // Small triangles: a few pixels across, often degenerate.
                const int32_t x = coord(s.Left, w), y = coord(s.Top, h);
                for (int k = 0; k < 3; ++k) {
                    polygon.push_back(corner(x + int32_t(rng() % 4), y + int32_t(rng() % 4)));
                }
            } else {
                for (int k = 0; k < 3; ++k)
                    polygon.push_back(corner(coord(s.Left, w), coord(s.Top, h)));
            }
            for (const Corner& c : polygon) {
                crossed[0] += c[0]<s.Left, crossed[1] += c[0]> s.Right;
                crossed[2] += c[1]<s.Top, crossed[3] += c[1]> s.Bottom;
            }
            ExpectSameAsReference(fast, ref, s, f, polygon, texture, i);
            if (HasFatalFailure()) return;
        }
        drawnPixels = int(std::count_if(fast.Pick.begin(), fast.Pick.end(),
                                        [](uint32_t p) { return p != 0xFFFFFFFF; }));
        for (int side = 0; side < 4; ++side) EXPECT_GT(crossed[side], 20) << side;
        EXPECT_GT(drawnPixels, s.Pitch * s.Rows / 4);
    }
}

TEST(ReferenceCheck, LimitsAndDegeneratePolygonsMatchAndStayInside) {
    std::mt19937 rng(7);
    const auto texture = RandomTexture(rng);
    const TargetSetup s{29, 1030, 2, 26, 3, 1020};
    Buffers fast(s.Pitch, s.Rows), ref(s.Pitch, s.Rows);
    const int32_t farU = (TexW - 1) * 64, farV = (TexH - 1) * 64, farZ = 16384 * 64;
    std::vector<std::vector<Corner>> polygons = {
        // Corners at the ends of the int32 range; far beyond the target on every side.
        {{INT_MIN, INT_MIN, 0, 0, 0}, {INT_MAX, 0, farU, 0, farZ}, {0, INT_MAX, 0, farV, 64}},
        {{INT_MAX, INT_MAX, 0, 0, 0}, {INT_MIN, INT_MAX, 0, 0, 0}, {0, INT_MIN, farU, farV, farZ}},
        {{-1000000, 5, 0, 0, 0}, {-999999, 900, 0, 0, 0}, {-1000000, 1000, 0, 0, 0}},
        // Every corner at the farthest depth, crossing the clip so that midpoints wrap.
        {{-40, 0, 0, 0, farZ}, {60, 500, farU, 0, farZ}, {-10, 1029, farU, farV, farZ}},
        // Degenerate: one corner, two corners, collinear, all on one pixel on a clip corner.
        {{5, 5, 64, 64, 640}},
        {{-3, 100, 0, 0, 0}, {40, 1025, farU, farV, farZ}},
        {{0, 0, 0, 0, 0}, {10, 10, 640, 640, 640}, {20, 20, farU, farV, farZ}},
        {{2, 3, 64, 0, 0}, {2, 3, 0, 64, 0}, {2, 3, 64, 64, 0}},
    };
    // A 20-gon larger than the clip rectangle, beyond the outline kept on the stack.
    std::vector<Corner> ring;
    for (int k = 0; k < 20; ++k) {
        const double a = k * 2 * 3.141592 / 20;
        ring.push_back({int32_t(14 + 20 * std::cos(a)), int32_t(500 + 600 * std::sin(a)),
                        int32_t(farU / 2 + farU / 2 * std::cos(a)),
                        int32_t(farV / 2 + farV / 2 * std::sin(a)), 64 * (k * 800)});
    }
    polygons.push_back(ring);
    uint32_t id = 0;
    for (const auto& polygon : polygons) {
        for (const Filler f : AllFillers) {
            std::vector<Corner> scaled = polygon;
            // The colour-only fillers take 22.10 texture coordinates.
            if (!UsesDepth(f)) {
                for (Corner& c : scaled) c[2] *= 16, c[3] *= 16;
            }
            ExpectSameAsReference(fast, ref, s, f, scaled, texture, id++);
            if (HasFatalFailure()) return;
        }
    }
    // Nothing outside the clip rectangle was touched.
    for (int32_t y = 0; y < fast.Rows; ++y) {
        for (int32_t x = 0; x < fast.Pitch; ++x) {
            if (x >= s.Left && x <= s.Right && y >= s.Top && y <= s.Bottom) continue;
            const size_t i = fast.At(x, y);
            ASSERT_TRUE(fast.Colour[i] == 0 && fast.Depth[i] == 0xFFFF && fast.Pick[i] == ~0u)
                << x << "," << y;
        }
    }
    DrawTexturedPolygon(fast.Target(s.Left, s.Right, s.Top, s.Bottom), nullptr, 0, texture.data(),
                        TexW);
    EXPECT_TRUE(fast == ref);
}

TEST(ReferenceCheck, RandomClippedLinesMatchTheLiteralStepping) {
    std::mt19937 rng(99);
    Buffers fast(50, 41), ref(50, 41);
    for (auto& p : fast.Pick) p = rng() % 2;
    ref.Pick = fast.Pick;
    const RasterTarget t = fast.Target();
    int drawn = 0;
    for (uint32_t i = 0; i < 600; ++i) {
        int32_t line[4];
        for (int k = 0; k < 4; ++k) line[k] = int32_t(rng() % 160) - 55;
        if (i % 4 == 0) line[2] = line[0] + int32_t(rng() % 3) - 1;  // near-vertical
        if (!ClipLine(t, line)) continue;
        ++drawn;
        ASSERT_TRUE(line[0] >= 0 && line[0] < 50 && line[2] >= 0 && line[2] < 50);
        ASSERT_TRUE(line[1] >= 0 && line[1] < 41 && line[3] >= 0 && line[3] < 41);
        const uint8_t colour = uint8_t(i % 250 + 1);
        const uint32_t id = i % 3 == 0 ? 1 : 2;  // 2 matches no pick entry
        for (const auto& [x, y] : ReferenceLinePixels(line)) {
            if (i % 2 == 0 || ref.Pick[ref.At(x, y)] == id) ref.Colour[ref.At(x, y)] = colour;
        }
        if (i % 2 == 0)
            DrawLine(t, line, colour);
        else
            DrawLineOverId(t, line, colour, id);
        ASSERT_TRUE(fast.Colour == ref.Colour) << "line " << i;
    }
    EXPECT_GT(drawn, 200);
}

}  // namespace
}  // namespace varp::test
