// The 3D view's buffers, render kinds and renderer: what each kind leaves in the colour, depth
// and pick buffers, the near plane, depth order and outline colours, exact values throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "support/HeapCounter.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

// A point at depth x (in front of the eye when x < 99.9), `right` and `up` units from the line
// of sight. In a 200 x 200 view the centre is (100, 100) and x = 0 shows 3.376 pixels per unit.
Vec3 P(float x, float right, float up) {
    return {x, right, up};
}
const std::vector<SkinCoord> CornerCoords = {{0, 63}, {0, 0}, {63, 0}, {63, 63}};
const std::vector<uint8_t> Plain(64 * 64, 100);
constexpr IsoBox::Kind AllKinds[] = {IsoBox::Kind::Recolour, IsoBox::Kind::Full,
                                     IsoBox::Kind::Background, IsoBox::Kind::Quick,
                                     IsoBox::Kind::Mapping};

TEST(IsoBoxKinds, FullRecordsTexelOffsetsAndMappingTriangleIndicesAndPickAtReadsOnlyInside) {
    IsoView v;
    IsoBox& box = *v.box;
    EXPECT_EQ(box.PickHolds(), IsoBox::PickMeaning::TexelOffsets);
    // Texel (s, t) at offset 8t + s, shown in its colour 16 + offset.
    const struct {
        ClientPoint p;
        uint32_t texel, triangle;
    } cases[] = {{Top, 8 * 1 + 3, 0},
                 {Right, 8 * 4 + 5, 1},
                 {Bottom, 8 * 5 + 3, 2},
                 {Left, 8 * 3 + 1, 3},
                 {Outside, NoPick, NoPick}};
    for (const auto& c : cases) {
        EXPECT_EQ(box.PickAt(c.p), c.texel) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(box.PixelBuffer[v.At(c.p)], c.p == Outside ? 250 : 16 + c.texel);
    }
    v.app->Mode = ModeMapping;
    box.Render(IsoBox::Kind::Full);
    EXPECT_EQ(box.PickHolds(), IsoBox::PickMeaning::TriangleIndices);
    for (const auto& c : cases) EXPECT_EQ(box.PickAt(c.p), c.triangle);

    std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 5u);  // so that a wrapped read shows
    for (ClientPoint p :
         {ClientPoint{-1, 5}, ClientPoint{200, 5}, ClientPoint{5, -1}, ClientPoint{5, 100}}) {
        EXPECT_EQ(box.PickAt(p), NoPick) << p.x << ", " << p.y;
    }
    EXPECT_EQ(box.PickAt({199, 99}), 5u);
}

TEST(IsoBoxKinds, RecolourAndBackgroundChangeOnlyThePixelsTheirPicksName) {
    IsoView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> before = box.PixelBuffer;
    const std::vector<uint16_t> depth = box.DepthBuffer;
    const std::vector<uint32_t> picks = box.PickBuffer;
    const uint32_t texel = box.PickAt(Top);
    v.Skin()[texel] = 3;
    v.app->BackgroundColour = 7;
    box.Render(IsoBox::Kind::Recolour);
    box.Render(IsoBox::Kind::Background);
    for (size_t i = 0; i < picks.size(); ++i) {
        const uint8_t want = picks[i] == NoPick ? 7 : picks[i] == texel ? 3 : before[i];
        ASSERT_EQ(box.PixelBuffer[i], want) << "pixel " << i;
    }
    EXPECT_GT(std::ranges::count(box.PixelBuffer, uint8_t{3}), 10);
    const std::vector<uint8_t> shown = box.PixelBuffer;
    box.Render(IsoBox::Kind::Full);  // shows what the two recolours show
    EXPECT_EQ(box.PixelBuffer, shown);
    EXPECT_EQ(box.DepthBuffer, depth);
    EXPECT_EQ(box.PickBuffer, picks);
}

TEST(IsoBoxKinds, InMappingModeEveryKindIsAMappingRenderAndItsIndicesAreNeverReadAsTexels) {
    IsoView v(ModeMapping);
    IsoBox& box = *v.box;
    const std::vector<uint8_t> pixels = box.PixelBuffer;
    const std::vector<uint16_t> depth = box.DepthBuffer;
    const std::vector<uint32_t> picks = box.PickBuffer;
    for (IsoBox::Kind kind : AllKinds) {
        std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{3});
        std::fill(box.DepthBuffer.begin(), box.DepthBuffer.end(), uint16_t{3});
        std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 3u);
        box.Render(kind);
        EXPECT_EQ(box.PixelBuffer, pixels) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(box.DepthBuffer, depth) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(box.PickBuffer, picks) << "kind " << static_cast<int>(kind);
    }
    // Back in Mix mode before any full render: the entries are still triangle indices.
    v.app->Mode = ModeMix;
    box.Render(IsoBox::Kind::Recolour);
    EXPECT_EQ(box.PixelBuffer, pixels);
}

TEST(IsoBoxKinds, PicksForALargerSkinAreNeverReadInASmallerOneAndWithoutOneNothingIsDrawn) {
    IsoView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> pixels = box.PixelBuffer;
    ASSERT_LT(box.PickAt(Top), 16u);
    ASSERT_GE(box.PickAt(Bottom), 16u);
    v.AddSkin(4, 4, std::vector<uint8_t>(16, 5));  // another model's 4 x 4 skin comes in
    box.Render(IsoBox::Kind::Recolour);
    EXPECT_EQ(box.PixelBuffer, pixels);
    // No stroke reaches past the small skin; one inside it still paints.
    for (bool left : {true, false}) {
        v.Press(left, Bottom, 0);
        v.Release(left, Bottom, 0);
    }
    EXPECT_EQ(v.Skin(), std::vector<uint8_t>(16, 5));
    EXPECT_EQ(v.app->PaintColour, 200);
    EXPECT_TRUE(v.host.sent.empty());
    v.Press(true, Top, 0);
    EXPECT_EQ(v.Skin()[box.PickAt(Top)], 200);
    EXPECT_EQ(v.host.sent, std::vector<int>{0});
    v.Release(true, Top, 0);

    // Without a skin only the background is drawn, and nothing is painted or picked.
    v.app->CurrentSkin = nullptr;
    for (bool left : {true, false}) {
        v.Press(left, Top, 0);
        v.Release(left, Top, 0);
    }
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 5}));  // the release made the stroke a step
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{9});
    box.Render(IsoBox::Kind::Recolour);
    box.Render(IsoBox::Kind::Background);
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{9}), 200 * 100);
    // Without a skin, or a frame, with a field of view of 0 (a corner off the line of sight
    // would project to infinity), or with the eye on the target, only the background is drawn.
    for (int step = 0; step < 4; ++step) {
        v.app->CurrentFrame = step == 1 ? nullptr : v.app->Frames[0].get();
        v.app->CurrentSkin = step == 0 ? nullptr : v.app->Skins[0].get();
        box.ViewCamera.FieldOfView = step == 2 ? 0.0f : 33.0f;
        if (step == 3) box.ViewCamera.Eye = box.ViewCamera.Target;
        box.Render(IsoBox::Kind::Full);
        EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{250}), 200 * 100) << step;
        EXPECT_EQ(std::ranges::count(box.DepthBuffer, uint16_t{0xFFFF}), 200 * 100) << step;
        EXPECT_EQ(std::ranges::count(box.PickBuffer, NoPick), 200 * 100) << step;
    }
    box.ViewCamera.Eye = {100, 2, 3};
    box.Render(IsoBox::Kind::Full);
    EXPECT_NE(box.PickAt({100, 50}), NoPick);
}

TEST(IsoBoxKinds, NoRenderOrMoveAllocates) {
    IsoView v;
    v.box->OnSize(1100, 1030);  // taller than the rasterizer's customary 1024 rows
    v.host.warps.reserve(8);
    const long before = HeapAllocations();
    for (IsoBox::Kind kind : AllKinds) v.box->Render(kind);
    v.box->OnLButtonDown(Top, L | Ctrl);
    v.box->OnMouseMove({300, 200}, L | R);
    v.box->OnMouseMove({400, 100}, L);
    v.app->Mode = ModeMapping;
    v.box->Render(IsoBox::Kind::Quick);
    EXPECT_EQ(HeapAllocations() - before, 0);
}

TEST(IsoRender, TheNearerSurfaceWinsAndOfTwoAtOneDepthTheFirstDrawn) {
    // 0: a small triangle 20 units nearer, drawn first; 1 and 2: a triangle pointing up and one
    // pointing down in the plane x = 0, overlapping each other and 0. Depths run from 0 at the
    // nearest corner to 16384 at the farthest.
    IsoView v(ModeMapping, false);
    v.SetModel({P(20, -4, -4), P(20, 0, 4), P(20, 4, -4), P(0, -20, -13), P(0, 0, 20),
                P(0, 20, -13), P(0, -20, 13), P(0, 20, 13), P(0, 0, -20)},
               {Tri(0, 1, 2, 0, 1, 2), Tri(3, 4, 5, 0, 1, 2), Tri(6, 7, 8, 0, 2, 3)}, CornerCoords,
               64, 64, Plain);
    v.box->OnSize(200, 200);
    const struct {
        ClientPoint p;
        uint32_t triangle;
        uint16_t depth;
    } cases[] = {
        {{100, 100}, 0, 0}, {{130, 99}, 1, 16384}, {{60, 136}, 1, 16384}, {{60, 60}, 2, 16384}};
    for (const auto& c : cases) {
        EXPECT_EQ(v.box->PickAt(c.p), c.triangle) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(v.box->DepthBuffer[v.At(c.p)], c.depth) << c.p.x << ", " << c.p.y;
    }
}

TEST(IsoRender, ATriangleWithACornerAtTheNearPlaneOrNotFiniteIsDroppedWhole) {
    // The eye is at x = 100 and the near plane 0.1 in front of it.
    for (size_t corner = 0; corner < 3; ++corner) {
        IsoView v(ModeMix, false);
        std::vector<Vec3> vertices = {P(0, -20, -20), P(0, -20, 20), P(0, 20, 20)};
        vertices[corner][0] = 99.95f;
        v.SetModel(vertices, {Tri(0, 1, 2, 0, 1, 2)}, CornerCoords, 64, 64, Plain);
        v.box->OnSize(200, 200);
        EXPECT_EQ(std::ranges::count(v.box->PickBuffer, NoPick), 200 * 200) << corner;
        // 0.15 in front of the eye the corner is accepted; the triangle is clipped to the view.
        v.app->Frames[0]->Vertices[corner][0] = 99.85f;
        v.box->Render(IsoBox::Kind::Full);
        EXPECT_GT(200 * 200 - std::ranges::count(v.box->PickBuffer, NoPick), 200 * 200 / 4)
            << corner;
    }
    IsoView v(ModeMix, false);
    v.SetModel({P(0, -20, -20), P(0, -20, 20), P(0, 20, 20), P(NAN, 20, -20)},
               {Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3)}, CornerCoords, 64, 64, Plain);
    v.box->OnSize(200, 200);
    EXPECT_EQ(v.box->VisibleCount, 1);
    v.app->Frames[0]->Vertices[3] = P(0, INFINITY, -20);
    v.box->Render(IsoBox::Kind::Full);
    EXPECT_EQ(v.box->VisibleCount, 1);
    EXPECT_EQ(v.box->MaxZ, 100.0);
}

TEST(IsoRender, OutlinesTakeThePaintColourAndTheEntriesFarthestFromIt) {
    IsoView v(ModeMapping, false);
    v.SetModel({P(0, -20, -20), P(0, -20, 20), P(0, 20, 20), P(0, 20, -20), P(0, 0, 30)},
               {Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3), Tri(1, 4, 2, 1, 0, 2)}, CornerCoords,
               64, 64, Plain);
    for (size_t i = 0; i < 768; ++i) v.app->CurrentSkin->Palette[i] = uint8_t(i / 3);  // greys
    v.app->Triangles[0].Flags = Selected | Grabbed;
    v.app->Triangles[1].Flags = Selected;
    v.app->PaintColour = 253;
    v.box->OnSize(200, 200);
    // Near-white paint: black selected outlines, and grabbed ones in the grey farthest from both.
    for (uint32_t t = 0; t < 3; ++t) {
        std::set<int> colours;
        for (size_t i = 0; i < v.box->PickBuffer.size(); ++i) {
            if (v.box->PickBuffer[i] == t) colours.insert(v.box->PixelBuffer[i]);
        }
        EXPECT_EQ(colours, (std::set<int>{100, t == 0 ? 126 : t == 1 ? 0 : 253})) << t;
    }
}

}  // namespace
}  // namespace varp::test
