// The Mapping overlay: which triangles each pass outlines, in which colour, and clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp {
namespace {

using test::AppWithSkin;
using test::ElementAt;

constexpr uint8_t Plain = 100;  // the skin and the background: everything but the outlines

// A 64 x 64 pane over a plain 64 x 64 skin at zoom 1, panned so that the centre of texel (s, t)
// lands on window point (s, t): columns trunc(s + 0.5), buffer rows trunc(63.5 - t). The palette
// is a grey ramp (entry i is i, i, i): the entry farthest from a dark paint colour is 255, and
// the one farthest from both the middle one.
struct SkinOverlayTest : ::testing::Test {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = AppWithSkin(sys, 64, 64);
    SkinBox box{*app, host};

    SkinOverlayTest() {
        app->CurrentSkin->Pixels.assign(64 * 64, Plain);
        for (int i = 0; i < 768; ++i) app->CurrentSkin->Palette[size_t(i)] = uint8_t(i / 3);
        app->BackgroundColour = Plain;
        app->Mode = ModeMapping;
        box.Zoom = 1.0f;
        box.PanS = box.PanT = 32.0f;
    }

    void AddTriangle(uint32_t flags, SkinCoord a, SkinCoord b, SkinCoord c) {
        ModelTriangle& tri = app->Triangles[app->NumTriangles++];
        tri.Flags = flags;
        tri.CornerST[0] = a;
        tri.CornerST[1] = b;
        tri.CornerST[2] = c;
    }
    // A right triangle with legs of 10 texels at (x, y), and the one that shares its long side.
    void AddCorner(uint32_t flags, int16_t x, int16_t y) {
        AddTriangle(flags, {x, y}, {static_cast<int16_t>(x + 10), y},
                    {x, static_cast<int16_t>(y + 10)});
    }
    void AddPartner(uint32_t flags, int16_t x, int16_t y) {
        const auto x10 = static_cast<int16_t>(x + 10), y10 = static_cast<int16_t>(y + 10);
        AddTriangle(flags, {x10, y}, {x, y10}, {x10, y10});
    }

    uint8_t At(int x, int y) const { return box.PixelBuffer[ElementAt(64, 64, x, y)]; }
    std::map<int, int> ColourCounts() const {
        std::map<int, int> counts;
        for (uint8_t c : box.PixelBuffer) ++counts[c];
        return counts;
    }
};

TEST_F(SkinOverlayTest, LaterPassesWinOnlyExactFlagValuesAreOutlinedAndSelectedCornersGetHandles) {
    AddCorner(Selected, 10, 10);            // 0: A
    AddPartner(0, 10, 10);                  // 1: B, drawn before A although it comes later
    AddCorner(Selected | Grabbed, 30, 10);  // 2: C, grabbed colour only
    AddPartner(Selected, 30, 10);           // 3: D
    AddCorner(4, 10, 40);                   // 4: an unknown bit alone: not outlined
    AddPartner(Selected | 4, 10, 40);       // 5: selected plus an unknown bit: not outlined
    AddCorner(Grabbed, 30, 40);             // 6: F
    // White paint on a light skin: the outlines are black and mid grey, never near white.
    const struct { int paint, selected, grabbed; } colours[] = {{2, 255, 128}, {253, 0, 126}};
    for (const auto& c : colours) {
        SCOPED_TRACE(c.paint);
        app->PaintColour = static_cast<uint8_t>(c.paint);
        box.OnSize(64, 64);
        box.Render(SkinBox::Kind::Full);
        const struct {
            int x, y, colour;
        } points[] = {
            {15, 10, c.selected}, {15, 15, c.selected}, {20, 15, c.paint},     // A over B
            {35, 10, c.grabbed},  {35, 15, c.grabbed},  {40, 15, c.selected},  // C over D
            {15, 40, Plain},      {20, 45, Plain},      {35, 40, c.grabbed},   // 4, 5, F
            {10, 10, c.selected}, {8, 10, c.grabbed},   {12, 12, c.grabbed},   // A's handle
            {9, 9, Plain},        {42, 20, c.grabbed},  {18, 48, c.grabbed},   // D's, 5's
            {28, 38, Plain},                                                   // not F's
        };
        for (const auto& p : points) EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << ", " << p.y;
    }
}

TEST_F(SkinOverlayTest, OutsideMappingModeTheDisplayRenderHasNoOverlay) {
    AddCorner(0, 10, 10);
    AddCorner(Selected, 30, 10);
    AddCorner(Grabbed, 10, 30);
    app->PaintColour = 7;
    app->Mode = ModeMix;
    box.OnSize(64, 64);
    box.Render(SkinBox::Kind::DisplayOnly);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), Plain), 64 * 64);
    app->Mode = ModeMapping;
    box.Render(SkinBox::Kind::DisplayOnly);
    // Three outlines of 30 pixels, and a handle's 14 pixels off the outline at each corner of
    // the selected one.
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), Plain),
              64 * 64 - 90 - 3 * 14);
}

TEST_F(SkinOverlayTest, EdgesReachingFarOutsideThePaneAreClippedToIt) {
    // One side runs along texel row 10 from s = -1000 to 1000; the other two never enter.
    AddTriangle(0, {-1000, 10}, {1000, 10}, {0, 1000});
    app->PaintColour = 33;
    box.OnSize(64, 64);
    for (int x = 0; x < 64; ++x) EXPECT_EQ(At(x, 10), 33) << x;
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 33), 64);

    // Corners at the ends of the coordinate range, seen at the largest zoom from far away.
    app->NumTriangles = 0;
    AddTriangle(Grabbed, {-32768, -32768}, {32767, -32768}, {32767, 32767});
    AddTriangle(0, {-32768, 32767}, {32767, 32767}, {-32768, -32768});
    for (float pan : {-SkinBox::MaxPan, 0.0f, SkinBox::MaxPan}) {
        for (float zoom : {SkinBox::MinZoom, SkinBox::MaxZoom}) {
            box.PanS = pan, box.PanT = -pan, box.Zoom = zoom;
            box.Render(SkinBox::Kind::DisplayOnly);
            for (uint8_t c : box.PixelBuffer) ASSERT_TRUE(c == Plain || c == 33 || c == 144);
        }
    }
}

}  // namespace
}  // namespace varp
