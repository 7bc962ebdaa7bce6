// The skin view's buffers and size rule, the view transform and its range, the four render
// kinds and the Mapping overlay.
#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <map>

#include "support/HeapCounter.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp::test {
namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// A pane over a 256 x 256 skin, not yet sized.
struct SkinBoxTest : ::testing::Test, SkinView {
    SkinBoxTest() : SkinView(256, 256) {}
};

TEST_F(SkinBoxTest, OnlyANewSizeRebuildsAndRendersTheBuffersWithRowsRaisedToFour) {
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{9});
    for (SkinBox::Kind kind : AllKinds) box.Render(kind);  // nothing before the first size
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{9}), 1024);
    EXPECT_EQ(box.PickAt({0, 0}), NoTexel);
    const struct {
        int cx, cy, width, height;
    } cases[] = {
        {0, 50, 0, 50}, {-8, -3, 0, 0}, {1, 1, 4, 1}, {40000, 2, 32764, 2}, {301, 40, 304, 40}};
    box.PanS = box.PanT = 128.0f;  // the skin covers the whole pane at zoom 3
    for (const auto& c : cases) {
        box.OnSize(c.cx, c.cy);
        EXPECT_EQ(std::tuple(box.BufferWidth, box.BufferHeight), std::tuple(c.width, c.height));
        EXPECT_EQ(box.PixelBuffer.size(), size_t(c.width) * size_t(c.height));
        EXPECT_EQ(box.PickBuffer.size(), box.PixelBuffer.size());
    }
    EXPECT_EQ(std::ranges::count(box.PickBuffer, NoTexel),
              0);  // the rounded-up columns rendered too
    box.PixelBuffer[0] = 201;
    box.PickBuffer[0] = NoTexel;
    box.OnSize(302, 40);  // also 304 wide
    box.OnSize(304, 40);
    EXPECT_EQ(std::tuple(box.PixelBuffer[0], box.PickBuffer[0]), std::tuple(201, NoTexel));
    box.OnSize(304, 41);
    ASSERT_NE(box.PickBuffer[0], NoTexel);
    EXPECT_EQ(box.PixelBuffer[0], app->CurrentSkin->Pixels[box.PickBuffer[0]]);
    EXPECT_EQ(host.Requests(), 0);  // the size handler renders; showing is the window's business

    // Buffers that do not fit in memory leave an empty pane; the next size tries again.
    FailAllocationsFrom(400 * 300 * sizeof(uint32_t));  // the pick buffer fails, not the pixels
    box.OnSize(400, 304);
    FailAllocationsFrom(0);
    EXPECT_EQ(std::tuple(box.BufferWidth, box.BufferHeight), std::tuple(0, 0));
    EXPECT_TRUE(box.PixelBuffer.empty() && box.PickBuffer.empty());
    for (SkinBox::Kind kind : AllKinds) box.Render(kind);
    EXPECT_EQ(box.PickAt({0, 0}), NoTexel);
    box.OnSize(400, 304);
    EXPECT_EQ(box.PickBuffer.size(), 400u * 304u);
}

TEST_F(SkinBoxTest, TheTexelUnderAPointTruncatesTowardZeroAndSaturates) {
    box.OnSize(200, 201);  // half height 100
    const struct {
        float pan, zoom;
        ClientPoint p;
        TexelPoint want;
    } cases[] = {
        {50, 3, {100, 100}, {50, 50}},
        {50, 3, {99, 99}, {49, 49}},  // 49.67
        {50, 3, {0, 200}, {16, 83}},
        {50, 3, {102, 103}, {50, 51}},
        {0, 3, {99, 98}, {0, 0}},  // -0.33 and -0.67, not -1
        {0, 3, {96, 95}, {-1, -1}},
        {0, 0.5f, {0, 0}, {-200, -200}},
        {0, SkinBox::MinZoom, {INT_MIN, INT_MAX}, {-536870912, 536870912}},
    };
    for (const auto& c : cases) {
        box.PanS = box.PanT = c.pan;
        box.Zoom = c.zoom;
        EXPECT_EQ(box.TexelUnder(c.p), c.want) << c.p.x << ", " << c.p.y;
    }
}

TEST_F(SkinBoxTest, TheViewIsKeptInsideTheRangeTheRasterizerTakesBeforeEveryRender) {
    const struct {
        float panS, panT, zoom;
        float keptS, keptT, keptZoom;
    } cases[] = {
        {-3.5f, 70000.0f, 1e30f, -3.5f, SkinBox::MaxPan, SkinBox::MaxZoom},
        {Inf, -Inf, 0.0f, SkinBox::MaxPan, -SkinBox::MaxPan, SkinBox::MinZoom},
        {NaN, 12.0f, -2.0f, 50.0f, 12.0f, SkinBox::MinZoom},
        {1.0f, NaN, NaN, 1.0f, 50.0f, 3.0f},
        {0.25f, -65536.0f, 255.5f, 0.25f, -65536.0f, 255.5f},
    };
    for (const auto& c : cases) {
        box.PanS = c.panS, box.PanT = c.panT, box.Zoom = c.zoom;
        box.KeepViewInRange();
        EXPECT_EQ(std::tuple(box.PanS, box.PanT, box.Zoom),
                  std::tuple(c.keptS, c.keptT, c.keptZoom));
    }
    // Rendering any view equals rendering it kept in range, the Mapping overlay included.
    app->Mode = ModeMapping;
    app->NumTriangles = 1;
    app->Triangles[0].CornerST[1] = {32767, -32768};
    app->Triangles[0].CornerST[2] = {-32768, 32767};
    SkinBox kept(*app, host);
    box.OnSize(64, 48);
    kept.OnSize(64, 48);
    for (float pan : {32.5f, -1e9f, Inf, NaN}) {
        for (float zoom : {1e-30f, -1.0f, 1e4f, NaN}) {
            box.PanS = kept.PanS = pan;
            box.PanT = kept.PanT = -pan;
            box.Zoom = kept.Zoom = zoom;
            kept.KeepViewInRange();
            box.Render(SkinBox::Kind::DisplayOnly);
            kept.Render(SkinBox::Kind::DisplayOnly);
            ASSERT_EQ(box.PixelBuffer, kept.PixelBuffer) << pan << " " << zoom;
        }
    }
}

using SkinRender = SkinPaneTest;

TEST_F(SkinRender, TheSkinFillsTheRectangleFromItsFirstToItsLastTexelEachTexelInItsPlace) {
    // The 16 x 12 skin spans window columns 68 to 128 and rows 67 to 111, texel (s, t) around
    // At(s, t).
    for (int t = 0; t < 11; ++t) {
        for (int s = 0; s < 15; ++s) ASSERT_EQ(box.PickAt(At(s, t)), 16u * t + s) << s << ", " << t;
    }
    EXPECT_EQ(box.PickAt({68, 67}), 0u);
    EXPECT_EQ(box.PickAt({68, 111}), 16u * 11);
    for (ClientPoint p :
         {ClientPoint{67, 67}, ClientPoint{68, 66}, ClientPoint{129, 70}, ClientPoint{68, 112}}) {
        EXPECT_EQ(box.PickAt(p), NoTexel) << p.x << ", " << p.y;
    }
    EXPECT_EQ(std::ranges::count(box.PickBuffer, NoTexel), 200 * 200 - 61 * 45);
    EXPECT_EQ(box.PixelBuffer[ElementAt(box, At(3, 4).x, At(3, 4).y)], TestTexel(3, 4));
}

TEST_F(SkinRender, RecolourAndBackgroundChangeOnlyThePixelsTheirPicksName) {
    const std::vector<uint8_t> before = box.PixelBuffer;
    Texel(3, 4) = 250;
    app->BackgroundColour = 99;
    box.Render(SkinBox::Kind::Recolour);
    box.Render(SkinBox::Kind::Background);
    for (size_t i = 0; i < before.size(); ++i) {
        const uint32_t pick = box.PickBuffer[i];
        ASSERT_EQ(box.PixelBuffer[i], pick == NoTexel ? 99 : pick == 16 * 4 + 3 ? 250 : before[i]);
    }
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{250}), 16);
}

TEST_F(SkinRender, WithoutASkinFullAndDisplayShowTheBackgroundAndTheOtherKindsNothing) {
    app->CurrentSkin = nullptr;
    app->BackgroundColour = 77;
    box.Render(SkinBox::Kind::Full);
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{77}) +
                  std::ranges::count(box.PickBuffer, NoTexel),
              80000);
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{3});
    box.PickBuffer[17] = 5;
    EXPECT_EQ(box.PickAt({17, 199}), NoTexel);
    box.Render(SkinBox::Kind::Recolour);
    box.Render(SkinBox::Kind::Background);
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{3}), 200 * 200);
    box.Render(SkinBox::Kind::DisplayOnly);
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{77}), 200 * 200);
    EXPECT_EQ(box.PickBuffer[17], 5u);
}

TEST_F(SkinRender, MappingModeDrawsEveryKindAsDisplayOnlyAndKeepsTheLastFullPick) {
    app->NumTriangles = 1;
    app->Triangles[0].CornerST[0] = {1, 1};
    app->Triangles[0].CornerST[1] = {12, 2};
    app->Triangles[0].CornerST[2] = {5, 10};
    app->PaintColour = 255;  // no texel of the test skin has it
    const std::vector<uint32_t> pick = box.PickBuffer;
    app->Mode = ModeMapping;
    SkinBox reference(*app, host);
    reference.PanS = reference.PanT = 8.0f;
    reference.Zoom = 4.0f;
    reference.OnSize(200, 200);  // a Mapping-mode pane's first render
    EXPECT_EQ(std::ranges::count(reference.PickBuffer, NoTexel), 200 * 200);
    EXPECT_GT(std::ranges::count(reference.PixelBuffer, uint8_t{255}), 60);
    for (SkinBox::Kind kind :
         {SkinBox::Kind::Full, SkinBox::Kind::Recolour, SkinBox::Kind::Background}) {
        std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{0});
        box.Render(kind);
        EXPECT_EQ(box.PixelBuffer, reference.PixelBuffer) << static_cast<int>(kind);
        EXPECT_EQ(box.PickBuffer, pick) << static_cast<int>(kind);
    }
    app->Mode = ModeMix;  // outside Mapping mode the display render has no overlay
    box.Render(SkinBox::Kind::DisplayOnly);
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{255}), 0);
}

TEST_F(SkinRender, ASmallerSkinArrivingBeforeAFullRenderIsNeverReadPastItsEnd) {
    const std::vector<uint8_t> before = box.PixelBuffer;
    // Another model with a 4 x 4 skin comes in; the pick buffer still names 16 x 12 texels.
    app->SkinWidth = app->SkinHeight = 4;
    app->CurrentSkin->Pixels.assign(16, 240);
    app->CurrentSkin->Pixels.shrink_to_fit();
    box.Render(SkinBox::Kind::Recolour);
    for (size_t i = 0; i < before.size(); ++i) {
        ASSERT_EQ(box.PixelBuffer[i], box.PickBuffer[i] < 16 ? 240 : before[i]);
    }
    EXPECT_EQ(box.PickAt(At(3, 0)), 3u);
    ASSERT_EQ(box.PickBuffer[ElementAt(box, At(0, 1).x, At(0, 1).y)], 16u);
    EXPECT_EQ(box.PickAt(At(0, 1)), NoTexel);
}

TEST_F(SkinRender, RenderingNeverAllocates) {
    for (int i = 0; i < 4; ++i) {
        app->Triangles[i].Flags = uint32_t(i);
        app->Triangles[i].CornerST[1] = {int16_t(4 * i), 11};
        app->Triangles[i].CornerST[2] = {15, int16_t(i)};
    }
    app->NumTriangles = 4;
    box.OnSize(640, 480);
    const long before = HeapAllocations();
    for (int mode : {ModeMix, ModeMapping}) {
        app->Mode = mode;
        for (SkinBox::Kind kind : AllKinds) box.Render(kind);
        box.Zoom = 1e9f;
        box.Render(SkinBox::Kind::Full);
    }
    EXPECT_EQ(HeapAllocations(), before);
}

// A 64 x 64 pane over a plain 64 x 64 skin at zoom 1, in Mapping mode, panned so that the centre
// of texel (s, t) lands on window point (s, t).
struct SkinOverlay : ::testing::Test, SkinView {
    static constexpr uint8_t Plain = 100;  // the skin and the background
    SkinOverlay() : SkinView(64, 64) {
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
    // A right triangle with legs of 10 texels at (x, y), or the one that shares its long side.
    void AddHalf(uint32_t flags, int16_t x, int16_t y, bool partner) {
        const auto x10 = static_cast<int16_t>(x + 10), y10 = static_cast<int16_t>(y + 10);
        if (partner) return AddTriangle(flags, {x10, y}, {x, y10}, {x10, y10});
        AddTriangle(flags, {x, y}, {x10, y}, {x, y10});
    }
};

TEST_F(SkinOverlay, LaterPassesWinAndOnlyExactFlagValuesAreOutlined) {
    AddHalf(Selected, 10, 10, false);            // A
    AddHalf(0, 10, 10, true);                    // B, drawn before A although it comes later
    AddHalf(Selected | Grabbed, 30, 10, false);  // C, grabbed colour only
    AddHalf(Selected, 30, 10, true);             // D
    AddHalf(4, 10, 40, false);                   // an unknown bit alone: not outlined
    AddHalf(Selected | 4, 10, 40, true);         // selected plus an unknown bit: not outlined
    AddHalf(Grabbed, 30, 40, false);             // F
    // A grey ramp (entry i is i, i, i): the outlines take the entries farthest from the paint,
    // black or white, and the grey farthest from both; selected corners get handles.
    for (size_t i = 0; i < 768; ++i) app->CurrentSkin->Palette[i] = uint8_t(i / 3);
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
        for (const auto& p : points)
            EXPECT_EQ(box.PixelBuffer[ElementAt(box, p.x, p.y)], p.colour) << p.x << ", " << p.y;
    }
    // An edge along texel row 10 from s = -1000 to 1000 is clipped to the pane's 64 pixels.
    app->NumTriangles = 0;
    AddTriangle(0, {-1000, 10}, {1000, 10}, {0, 1000});
    box.Render(SkinBox::Kind::Full);
    for (int x = 0; x < 64; ++x) EXPECT_EQ(box.PixelBuffer[ElementAt(box, x, 10)], 253) << x;
    EXPECT_EQ(std::ranges::count(box.PixelBuffer, uint8_t{253}), 64);
}

}  // namespace
}  // namespace varp::test
