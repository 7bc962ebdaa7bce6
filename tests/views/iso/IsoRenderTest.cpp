// The model renderer on hand-made geometry: the near plane, non-finite corners, a flat depth
// range and outline colours.
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
    // Colours found over a triangle's pixels.
    std::set<int> ColoursOver(uint32_t t) const {
        std::set<int> colours;
        for (size_t i = 0; i < box->PickBuffer.size(); ++i) {
            if (box->PickBuffer[i] == t) colours.insert(box->PixelBuffer[i]);
        }
        return colours;
    }
};

// Coverage, texels, culling, depth order and the outline passes are compared with the reference
// renderer in IsoGoldenTest; these are the cases its scenes do not reach.

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
        s.box->Render(IsoBox::Kind::Full);
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
    s.box->Render(IsoBox::Kind::Full);
    EXPECT_EQ(s.box->VisibleCount, 1);
    EXPECT_EQ(s.box->MaxZ, 100.0);
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

TEST(IsoRender, OutlinesTakeThePaletteEntriesFarthestFromThePaintColour) {
    Scene s;
    s.Square(0, 20, std::vector<uint8_t>(64 * 64, 100));  // only outlines show other colours
    s.app->Triangles[0].Flags = Selected | Grabbed;
    s.app->Triangles[1].Flags = Selected;
    s.app->PaintColour = 253;
    s.app->Mode = ModeMapping;
    s.Show();
    // In the grey ramp: near-white paint, black selected outlines, mid-grey grabbed ones.
    EXPECT_EQ(s.ColoursOver(0), (std::set<int>{100, 126}));  // grabbed, selected or not
    EXPECT_EQ(s.ColoursOver(1), (std::set<int>{100, 0}));    // selected
}

}  // namespace
}  // namespace varp::test
