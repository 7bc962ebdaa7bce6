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
// lands on window point (s, t): columns trunc(s + 0.5), buffer rows trunc(63.5 - t).
struct SkinOverlayTest : ::testing::Test {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = AppWithSkin(sys, 64, 64);
    SkinBox box{*app, host};

    SkinOverlayTest() {
        app->CurrentSkin->Pixels.assign(64 * 64, Plain);
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

TEST_F(SkinOverlayTest, LaterPassesWinAndOnlyExactFlagValuesAreOutlined) {
    AddCorner(Selected, 10, 10);            // 0: A
    AddPartner(0, 10, 10);                  // 1: B, drawn before A although it comes later
    AddCorner(Selected | Grabbed, 30, 10);  // 2: C, grabbed colour only
    AddPartner(Selected, 30, 10);           // 3: D
    AddCorner(4, 10, 40);                   // 4: an unknown bit alone: not outlined
    AddPartner(Selected | 4, 10, 40);       // 5: selected plus an unknown bit: not outlined
    AddCorner(Grabbed, 30, 40);             // 6: F
    for (int paint : {2, 253}) {
        SCOPED_TRACE(paint);
        app->PaintColour = static_cast<uint8_t>(paint);
        const auto selected = static_cast<uint8_t>(paint - 4);  // 254, 249
        const auto grabbed = static_cast<uint8_t>(paint + 4);   // 6, 1
        box.OnSize(64, 64);
        box.Render(SkinBox::Kind::Full);
        // A triangle's outline is 30 pixels; a partner adds 19 (its long side and two corners
        // belong to the first): the long sides of A and C show the later pass's colour.
        std::map<int, int> expected = {
            {paint, 19}, {selected, 30 + 19}, {grabbed, 30 + 30}, {Plain, 64 * 64 - 128}};
        EXPECT_EQ(ColourCounts(), expected);
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
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), Plain), 64 * 64 - 90);
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
            for (uint8_t c : box.PixelBuffer) ASSERT_TRUE(c == Plain || c == 33 || c == 37);
        }
    }
}

}  // namespace
}  // namespace varp
