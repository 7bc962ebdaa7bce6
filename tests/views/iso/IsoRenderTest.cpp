// The model renderer on hand-made geometry: selection, depth, texel offsets and outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "support/Md2Files.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

constexpr uint32_t NoPick = IsoBox::NoPick;

// The initial camera looks from +x at the origin: +y is to the right on screen and +z up. In a
// 200 x 200 view K is 3.37594 pixels per unit at x = 0 and the centre is (100, 100).
constexpr int Side = 200;

// A point at depth x (in front of the eye when x < 99.9), `right` and `up` units from the
// line of sight.
Vec3 P(float x, float right, float up) {
    return {x, right, up};
}

// A 64 x 64 skin whose texel (s, t) holds (s + t) mod 256, with coordinates at its corners.
std::vector<uint8_t> PatternSkin() {
    std::vector<uint8_t> texels(64 * 64);
    for (int t = 0; t < 64; ++t) {
        for (int s = 0; s < 64; ++s) texels[static_cast<size_t>(t * 64 + s)] = uint8_t(s + t);
    }
    return texels;
}
const std::vector<SkinCoord> CornerCoords = {{0, 63}, {0, 0}, {63, 0}, {63, 63}};

struct Scene : IsoFixture {
    // A square of half-size `half` at depth x: A bottom-left, B top-left, C top-right, D
    // bottom-right; triangles ABC and ACD both run clockwise on screen and share A-C.
    void Square(float x, float half, const std::vector<uint8_t>& texels = PatternSkin()) {
        SetModel({P(x, -half, -half), P(x, -half, half), P(x, half, half), P(x, half, -half)},
                 {Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3)}, CornerCoords, 64, 64, texels);
    }
    void Show() {
        app->BackgroundColour = 250;
        box->OnSize(Side, Side);
    }
    uint32_t PickAtPixel(int column, int row) const {
        return box->PickBuffer[static_cast<size_t>(row * Side + column)];
    }
    uint8_t ColourAtPixel(int column, int row) const {
        return box->PixelBuffer[static_cast<size_t>(row * Side + column)];
    }
    // The covered pixels' columns and rows, as (min column, max column, min row, max row).
    std::vector<int> Covered() const {
        std::vector<int> r = {Side, -1, Side, -1};
        for (int y = 0; y < Side; ++y) {
            for (int x = 0; x < Side; ++x) {
                if (PickAtPixel(x, y) == NoPick) continue;
                r = {std::min(r[0], x), std::max(r[1], x), std::min(r[2], y), std::max(r[3], y)};
            }
        }
        return r;
    }
};

TEST(IsoRender, ASquareCoversItsProjectedPixelsWithTheTexelsOfItsCorners) {
    Scene s;
    s.Square(0, 20);  // 20 x 3.37594 = 67.52: columns and rows 32 to 167
    s.Show();
    EXPECT_EQ(s.box->VisibleCount, 2);
    EXPECT_EQ(s.Covered(), (std::vector<int>{32, 167, 32, 167}));
    // Corner B starts the first edge walked: its own texel (0, 0).
    EXPECT_EQ(s.PickAtPixel(32, 167), 0u);
    EXPECT_EQ(s.ColourAtPixel(32, 167), 0);
    EXPECT_EQ(s.PickAtPixel(31, 32), NoPick);
    EXPECT_EQ(s.ColourAtPixel(31, 32), 250);
    // Every shown pixel names a texel of the skin and shows its colour.
    for (int i = 0; i < Side * Side; ++i) {
        const uint32_t p = s.box->PickBuffer[static_cast<size_t>(i)];
        if (p == NoPick) continue;
        ASSERT_LT(p, 4096u);
        ASSERT_EQ(s.box->PixelBuffer[static_cast<size_t>(i)], uint8_t((p % 64) + (p / 64)));
    }
}

TEST(IsoRender, BackFacingTrianglesAreNotDrawn) {
    Scene s;
    s.SetModel({P(0, -20, -20), P(0, -20, 20), P(0, 20, 20), P(0, 20, -20)},
               {Tri(0, 2, 1, 0, 2, 1), Tri(0, 2, 3, 0, 2, 3)}, CornerCoords, 64, 64, PatternSkin());
    s.Show();
    EXPECT_EQ(s.box->VisibleCount, 1);
    EXPECT_EQ(s.box->VisibleList[0], 1);
    EXPECT_EQ(s.PickAtPixel(40, 150), NoPick);  // in the culled upper-left half
    EXPECT_NE(s.PickAtPixel(150, 40), NoPick);
}

TEST(IsoRender, ATriangleWithACornerBehindTheNearPlaneIsDroppedWhole) {
    // The eye is at x = 100 and the near plane 0.1 in front of it. Whichever corner comes that
    // close, the triangle goes.
    for (int corner = 0; corner < 3; ++corner) {
        Scene s;
        std::vector<Vec3> vertices = {P(0, -20, -20), P(0, -20, 20), P(0, 20, 20)};
        vertices[static_cast<size_t>(corner)][0] = 99.95f;
        s.SetModel(vertices, {Tri(0, 1, 2, 0, 1, 2)}, CornerCoords, 64, 64, PatternSkin());
        s.Show();
        EXPECT_EQ(s.box->VisibleCount, 0) << corner;
        EXPECT_EQ(std::count(s.box->PickBuffer.begin(), s.box->PickBuffer.end(), NoPick),
                  Side * Side);
        EXPECT_EQ(std::count(s.box->PixelBuffer.begin(), s.box->PixelBuffer.end(), 250),
                  Side * Side);

        // 0.15 in front of the eye the corner is accepted; it projects thousands of pixels
        // off the view and the triangle is clipped to it.
        s.app->Frames[0]->Vertices[static_cast<size_t>(corner)][0] = 99.85f;
        s.box->Render(IsoBox::Full);
        EXPECT_EQ(s.box->VisibleCount, 1) << corner;
        EXPECT_GT(std::count_if(s.box->PickBuffer.begin(), s.box->PickBuffer.end(),
                                [](uint32_t p) { return p != NoPick; }),
                  Side * Side / 4)
            << corner;
    }
}

TEST(IsoRender, NonFiniteCornersDropTheirTrianglesOnly) {
    Scene s;
    s.Square(0, 20);
    s.app->Frames[0]->Vertices[3] = P(NAN, 20, -20);  // D: only triangle ACD uses it
    s.Show();
    EXPECT_EQ(s.box->VisibleCount, 1);
    EXPECT_EQ(s.box->VisibleList[0], 0);
    s.app->Frames[0]->Vertices[3] = P(0, INFINITY, -20);
    s.box->Render(IsoBox::Full);
    EXPECT_EQ(s.box->VisibleCount, 1);
    EXPECT_EQ(s.box->MaxZ, 100.0);
}

TEST(IsoRender, TheNearerSurfaceWinsWhicheverIsDrawnFirst) {
    for (int nearFirst = 0; nearFirst < 2; ++nearFirst) {
        Scene s;
        // Two squares facing the eye, 80 and 120 units from it, overlapping at the centre.
        std::vector<Vec3> far = {P(-20, -20, -20), P(-20, -20, 20), P(-20, 20, 20),
                                 P(-20, 20, -20)};
        std::vector<Vec3> near = {P(20, -5, -5), P(20, -5, 5), P(20, 5, 5), P(20, 5, -5)};
        std::vector<Vec3> vertices = nearFirst ? near : far;
        vertices.insert(vertices.end(), (nearFirst ? far : near).begin(),
                        (nearFirst ? far : near).end());
        s.SetModel(vertices,
                   {Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3), Tri(4, 5, 6, 0, 1, 2),
                    Tri(4, 6, 7, 0, 2, 3)},
                   CornerCoords, 64, 64, PatternSkin());
        s.app->Mode = ModeMapping;
        s.Show();
        EXPECT_EQ(s.box->MinZ, 80.0);
        EXPECT_EQ(s.box->MaxZ, 120.0);
        EXPECT_EQ(s.box->DepthScale, 409.6);
        const uint32_t nearTriangles = nearFirst ? 0 : 2;
        const uint32_t centre = s.PickAtPixel(100, 100);
        EXPECT_TRUE(centre == nearTriangles || centre == nearTriangles + 1) << centre;
        EXPECT_EQ(s.box->DepthBuffer[100 * Side + 100], 0);
        // Only the far square (columns and rows 43 to 156) covers (50, 50).
        const uint32_t farTriangles = 2 - nearTriangles;
        EXPECT_EQ(s.PickAtPixel(50, 50), farTriangles);
        EXPECT_EQ(s.box->DepthBuffer[50 * Side + 50], 16384);
    }
}

TEST(IsoRender, AtEqualDepthTheTriangleDrawnFirstKeepsTheSharedPixels) {
    Scene s;
    // Two overlapping triangles in the plane x = 0, one pointing up and one down, both over
    // the centre: every corner at camZ 100, every depth 0.
    s.SetModel(
        {P(0, -30, -20), P(0, 0, 30), P(0, 30, -20), P(0, -30, 20), P(0, 30, 20), P(0, 0, -30)},
        {Tri(0, 1, 2, 0, 1, 2), Tri(3, 4, 5, 0, 2, 3)}, CornerCoords, 64, 64, PatternSkin());
    s.app->Mode = ModeMapping;
    s.Show();
    EXPECT_EQ(s.box->MinZ, 100.0);
    EXPECT_EQ(s.box->MaxZ, 100.0);
    EXPECT_TRUE(std::isinf(s.box->DepthScale));
    size_t first = 0, second = 0;
    for (size_t i = 0; i < s.box->PickBuffer.size(); ++i) {
        if (s.box->PickBuffer[i] == NoPick) continue;
        ASSERT_EQ(s.box->DepthBuffer[i], 0);
        (s.box->PickBuffer[i] == 0 ? first : second) += 1;
    }
    // The centre lies in both triangles; the first one drawn shows there.
    EXPECT_EQ(s.PickAtPixel(100, 100), 0u);
    EXPECT_GT(first, 0u);
    EXPECT_GT(second, 0u);
}

// The square ABC + ACD in one texel colour, so that only outlines show other colours. A to C
// is an exact diagonal from (32, 32) to (167, 167).
struct OutlinedSquare : Scene {
    OutlinedSquare(uint8_t paint, uint32_t flags0, uint32_t flags1) {
        Square(0, 20, std::vector<uint8_t>(64 * 64, 100));
        app->Triangles[0].Flags = flags0;
        app->Triangles[1].Flags = flags1;
        app->PaintColour = paint;
        app->Mode = ModeMapping;
        Show();
    }
    // Colours found over each triangle's pixels.
    std::set<int> ColoursOver(uint32_t t) const {
        std::set<int> colours;
        for (size_t i = 0; i < box->PickBuffer.size(); ++i) {
            if (box->PickBuffer[i] == t) colours.insert(box->PixelBuffer[i]);
        }
        return colours;
    }
};

TEST(IsoRenderOutlines, SelectedTrianglesAreOutlinedFourBelowThePaintColourModulo256) {
    OutlinedSquare s(2, Selected, 0);
    EXPECT_EQ(s.ColoursOver(0), (std::set<int>{100, 254}));
    EXPECT_EQ(s.ColoursOver(1), (std::set<int>{100, 2}));
    // The shared edge belongs to the triangle drawn first, pixels and outline colour alike.
    for (int i = 0; i <= 135; ++i) {
        ASSERT_EQ(s.PickAtPixel(32 + i, 32 + i), 0u) << i;
        ASSERT_EQ(s.ColourAtPixel(32 + i, 32 + i), 254) << i;
    }
    // The outer edges: the top edge is triangle 0's, the bottom edge triangle 1's.
    EXPECT_EQ(s.ColourAtPixel(100, 167), 254);
    EXPECT_EQ(s.ColourAtPixel(100, 32), 2);
    EXPECT_EQ(s.ColourAtPixel(100, 166), 100);
}

TEST(IsoRenderOutlines, GrabbedTrianglesAreOutlinedFourAboveWhetherSelectedOrNot) {
    {
        OutlinedSquare s(253, 0, Grabbed);
        EXPECT_EQ(s.ColoursOver(0), (std::set<int>{100, 253}));
        EXPECT_EQ(s.ColoursOver(1), (std::set<int>{100, 1}));
    }
    {
        OutlinedSquare s(253, Selected | Grabbed, Selected);
        EXPECT_EQ(s.ColoursOver(0), (std::set<int>{100, 1}));
        EXPECT_EQ(s.ColoursOver(1), (std::set<int>{100, 249}));
        // Triangle 1's outline never reaches the shared edge, even though it is drawn later.
        for (int i = 0; i <= 135; ++i) ASSERT_EQ(s.ColourAtPixel(32 + i, 32 + i), 1) << i;
    }
}

TEST(IsoRenderOutlines, OnlyMappingRendersDrawOutlines) {
    Scene s;
    s.Square(0, 20, std::vector<uint8_t>(64 * 64, 100));
    s.app->PaintColour = 17;
    s.Show();
    EXPECT_EQ(std::count(s.box->PixelBuffer.begin(), s.box->PixelBuffer.end(), 17), 0);
    s.box->Render(IsoBox::MappingRender);
    EXPECT_GT(std::count(s.box->PixelBuffer.begin(), s.box->PixelBuffer.end(), 17), 4 * 135);
}

}  // namespace
}  // namespace varp::test
