// The skin view's buffers, size rule, view transform and its range, and the four render kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>

#include "support/HeapCounter.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp {
namespace {

constexpr SkinBox::Kind AllKinds[] = {SkinBox::Kind::Recolour, SkinBox::Kind::Full,
                                      SkinBox::Kind::Background, SkinBox::Kind::DisplayOnly};

using test::AppWithSample;
using test::AppWithSkin;
using test::ElementAt;
using test::FakePaneHost;

struct SkinBoxTest : ::testing::Test {
    test::ScriptedPlatform sys;
    FakePaneHost host;
};

TEST_F(SkinBoxTest, PlaceholdersHoldUntilTheFirstSizeChangeAndNothingDrawsIntoThem) {
    auto app = AppWithSkin(sys, 16, 16);
    SkinBox box(*app, host);
    EXPECT_EQ(box.BufferWidth, -1);
    EXPECT_EQ(box.BufferHeight, -1);
    EXPECT_EQ(box.PixelBuffer.size(), 1024u);
    EXPECT_EQ(box.PickBuffer.size() * sizeof(uint32_t), 4096u);
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{9});
    for (SkinBox::Kind kind : AllKinds) box.Render(kind);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 9), 1024);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoTexel), 1024);
    EXPECT_EQ(box.PickAt({0, 0}), NoTexel);
}

TEST_F(SkinBoxTest, RowsAreRaisedToFourAndOnlyANewSizeRebuildsTheBuffers) {
    auto app = AppWithSkin(sys, 256, 256);
    SkinBox box(*app, host);
    box.PanS = box.PanT = 128.0f;  // the skin covers the whole pane at zoom 3
    box.OnSize(301, 40);
    EXPECT_EQ(box.BufferWidth, 304);
    EXPECT_EQ(box.BufferHeight, 40);
    ASSERT_EQ(box.PixelBuffer.size(), 304u * 40u);
    ASSERT_EQ(box.PickBuffer.size(), 304u * 40u);
    // The three columns beyond the window are rendered too.
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoTexel), 0);

    box.PixelBuffer[0] = 201;
    box.PickBuffer[0] = NoTexel;
    const uint8_t* pixels = box.PixelBuffer.data();
    box.OnSize(302, 40);  // also 304 wide
    box.OnSize(304, 40);
    EXPECT_EQ(box.PixelBuffer.data(), pixels);
    EXPECT_EQ(box.PixelBuffer[0], 201);
    EXPECT_EQ(box.PickBuffer[0], NoTexel);

    box.OnSize(304, 41);
    EXPECT_EQ(box.PixelBuffer.size(), 304u * 41u);
    ASSERT_NE(box.PickBuffer[0], NoTexel);
    EXPECT_EQ(box.PixelBuffer[0], app->CurrentSkin->Pixels[box.PickBuffer[0]]);
    EXPECT_EQ(host.Requests(), 0);  // the size handler renders; showing is the window's business
}

TEST_F(SkinBoxTest, EmptyNegativeAndHugeSizesStayUsable) {
    auto app = AppWithSkin(sys, 8, 8);
    SkinBox box(*app, host);
    box.OnSize(0, 50);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_TRUE(box.PixelBuffer.empty());
    box.Render(SkinBox::Kind::Full);
    box.OnSize(-8, -3);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_EQ(box.BufferHeight, 0);
    box.OnSize(1, 1);
    EXPECT_EQ(box.BufferWidth, 4);
    EXPECT_EQ(box.PickBuffer.size(), 4u);
    box.OnSize(40000, 2);
    EXPECT_EQ(box.BufferWidth, 32764);
    EXPECT_EQ(box.PixelBuffer.size(), 32764u * 2u);
}

TEST_F(SkinBoxTest, APaneTooBigForMemoryStaysEmptyAndTheNextSizeTriesAgain) {
    auto app = AppWithSkin(sys, 8, 8);
    SkinBox box(*app, host);
    box.OnSize(400, 300);
    test::FailAllocationsFrom(400 * 300 * sizeof(uint32_t));
    box.OnSize(400, 304);
    test::FailAllocationsFrom(0);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_EQ(box.BufferHeight, 0);
    EXPECT_TRUE(box.PixelBuffer.empty());
    EXPECT_TRUE(box.PickBuffer.empty());
    for (SkinBox::Kind kind : AllKinds) box.Render(kind);
    EXPECT_EQ(box.PickAt({0, 0}), NoTexel);
    box.OnSize(400, 304);
    EXPECT_EQ(box.BufferHeight, 304);
    EXPECT_EQ(box.PickBuffer.size(), 400u * 304u);
}

TEST_F(SkinBoxTest, TheTexelUnderAPointTruncatesTowardZero) {
    auto app = AppWithSkin(sys, 64, 64);
    SkinBox box(*app, host);
    box.OnSize(200, 201);  // half height 100
    EXPECT_EQ(box.TexelUnder({100, 100}), (TexelPoint{50, 50}));
    EXPECT_EQ(box.TexelUnder({99, 99}), (TexelPoint{49, 49}));    // 49.67
    EXPECT_EQ(box.TexelUnder({0, 200}), (TexelPoint{16, 83}));    // 16.67, 83.33
    EXPECT_EQ(box.TexelUnder({102, 103}), (TexelPoint{50, 51}));  // 50.67, 51
    box.PanS = box.PanT = 0.0f;
    EXPECT_EQ(box.TexelUnder({99, 98}), (TexelPoint{0, 0}));    // -0.33 and -0.67, not -1
    EXPECT_EQ(box.TexelUnder({96, 95}), (TexelPoint{-1, -1}));  // -1.33 and -1.67
    box.Zoom = 0.5f;
    EXPECT_EQ(box.TexelUnder({0, 0}), (TexelPoint{-200, -200}));
    box.Zoom = SkinBox::MinZoom;  // far outside: saturated, never wrapped
    EXPECT_EQ(box.TexelUnder({INT_MIN, INT_MAX}), (TexelPoint{-536870912, 536870912}));
}

TEST_F(SkinBoxTest, TheViewIsKeptInsideTheRangeTheRasterizerTakes) {
    auto app = AppWithSkin(sys, 8, 8);
    SkinBox box(*app, host);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float panS, panT, zoom;
        float keptS, keptT, keptZoom;
    };
    const Case cases[] = {
        {-3.5f, 70000.0f, 1e30f, -3.5f, SkinBox::MaxPan, SkinBox::MaxZoom},
        {inf, -inf, 0.0f, SkinBox::MaxPan, -SkinBox::MaxPan, SkinBox::MinZoom},
        {nan, 12.0f, -2.0f, 50.0f, 12.0f, SkinBox::MinZoom},
        {1.0f, nan, nan, 1.0f, 50.0f, 3.0f},
        {0.25f, -65536.0f, 255.5f, 0.25f, -65536.0f, 255.5f},
    };
    for (const Case& c : cases) {
        box.PanS = c.panS, box.PanT = c.panT, box.Zoom = c.zoom;
        box.KeepViewInRange();
        EXPECT_EQ(box.PanS, c.keptS);
        EXPECT_EQ(box.PanT, c.keptT);
        EXPECT_EQ(box.Zoom, c.keptZoom);
    }
}

TEST_F(SkinBoxTest, RenderingAnyViewEqualsRenderingTheViewKeptInRange) {
    auto app = AppWithSkin(sys, 64, 64);
    app->NumTriangles = 1;
    app->Triangles[0].CornerST[0] = {-32768, -32768};
    app->Triangles[0].CornerST[1] = {32767, -32768};
    app->Triangles[0].CornerST[2] = {32767, 32767};
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float pans[] = {0.0f, 32.5f, -1e9f, 1e9f, inf, -inf, nan};
    const float zooms[] = {1e-30f, 0.0f, -1.0f, 3.0f, 1e4f, inf, nan};
    SkinBox box(*app, host), kept(*app, host);
    box.OnSize(64, 48);
    kept.OnSize(64, 48);
    for (int mode : {ModeMix, ModeMapping}) {
        app->Mode = mode;
        for (float pan : pans) {
            for (float zoom : zooms) {
                box.PanS = pan, box.PanT = -pan, box.Zoom = zoom;
                kept.PanS = pan, kept.PanT = -pan, kept.Zoom = zoom;
                kept.KeepViewInRange();
                box.Render(SkinBox::Kind::Full);
                kept.Render(SkinBox::Kind::Full);
                ASSERT_EQ(box.PixelBuffer, kept.PixelBuffer) << pan << " " << zoom;
                ASSERT_EQ(box.PickBuffer, kept.PickBuffer) << pan << " " << zoom;
            }
        }
    }
    // At the largest zoom one texel fills the pane.
    app->Mode = ModeMix;
    box.PanS = box.PanT = 20.5f;
    box.Zoom = SkinBox::MaxZoom;
    box.Render(SkinBox::Kind::Full);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), 20u * 64u + 20u), 64 * 48);
    // Panned to the end of the range the skin is out of sight.
    box.PanS = inf;
    box.Zoom = SkinBox::MinZoom;
    box.Render(SkinBox::Kind::Full);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoTexel), 64 * 48);
}

TEST_F(SkinBoxTest, WithoutASkinFullAndDisplayShowTheBackgroundAndTheOthersLeaveTheBuffers) {
    auto app = std::make_unique<App>(sys);
    app->BackgroundColour = 77;
    SkinBox box(*app, host);
    box.OnSize(40, 30);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 77), 40 * 30);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoTexel), 40 * 30);
    EXPECT_EQ(box.PickAt({5, 5}), NoTexel);

    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{3});
    box.PickBuffer[17] = 5;
    for (SkinBox::Kind kind : {SkinBox::Kind::Recolour, SkinBox::Kind::Background}) {
        box.Render(kind);
        EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 3), 40 * 30);
    }
    box.Render(SkinBox::Kind::DisplayOnly);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 77), 40 * 30);
    EXPECT_EQ(box.PickBuffer[17], 5u);
    box.Render(SkinBox::Kind::Full);
    EXPECT_EQ(box.PickBuffer[17], NoTexel);
}

TEST_F(SkinBoxTest, BackgroundRecoloursOnlyThePixelsThatShowNoTexel) {
    auto app = AppWithSkin(sys, 16, 16);
    SkinBox box(*app, host);
    box.PanS = box.PanT = 8.0f;
    box.OnSize(120, 100);  // the skin covers 46 x 46 pixels in the middle
    const auto before = box.PixelBuffer;
    app->BackgroundColour = 99;
    box.Render(SkinBox::Kind::Background);
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (box.PickBuffer[i] == NoTexel) {
            ASSERT_EQ(box.PixelBuffer[i], 99);
            ++changed;
        } else {
            ASSERT_EQ(box.PixelBuffer[i], before[i]);
        }
    }
    EXPECT_EQ(changed, 120u * 100u - 46u * 46u);
}

TEST_F(SkinBoxTest, MappingModeDrawsEveryKindAsDisplayOnlyAndKeepsTheLastFullPick) {
    auto app = AppWithSkin(sys, 64, 64);
    app->NumTriangles = 1;
    app->Triangles[0].CornerST[0] = {10, 10};
    app->Triangles[0].CornerST[1] = {40, 12};
    app->Triangles[0].CornerST[2] = {20, 50};
    app->PaintColour = 255;  // no texel of the test skin has it
    SkinBox box(*app, host), reference(*app, host);
    box.OnSize(120, 90);
    const auto pick = box.PickBuffer;

    app->Mode = ModeMapping;
    box.PanS = reference.PanS = 30.0f;
    box.PanT = reference.PanT = 30.0f;
    box.Zoom = reference.Zoom = 1.5f;
    reference.OnSize(120, 90);  // a Mapping-mode pane's first render
    EXPECT_EQ(std::count(reference.PickBuffer.begin(), reference.PickBuffer.end(), NoTexel),
              120 * 90);
    EXPECT_GT(std::count(reference.PixelBuffer.begin(), reference.PixelBuffer.end(), 255), 60);
    for (SkinBox::Kind kind :
         {SkinBox::Kind::Full, SkinBox::Kind::Recolour, SkinBox::Kind::Background}) {
        std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{0});
        box.Render(kind);
        EXPECT_EQ(box.PixelBuffer, reference.PixelBuffer);
        EXPECT_EQ(box.PickBuffer, pick);
    }
}

TEST_F(SkinBoxTest, ASmallerSkinArrivingBeforeAFullRenderIsNeverReadPastItsEnd) {
    auto app = AppWithSkin(sys, 64, 64);
    SkinBox box(*app, host);
    box.PanS = box.PanT = 20.0f;  // texel row 0 in sight
    box.OnSize(200, 200);
    const auto before = box.PixelBuffer;
    // Another model with an 8 x 8 skin comes in; the pick buffer still names 64 x 64 texels.
    app->SkinWidth = app->SkinHeight = 8;
    app->CurrentSkin->Pixels.assign(64, 240);
    app->CurrentSkin->Pixels.shrink_to_fit();
    box.Render(SkinBox::Kind::Recolour);
    int recoloured = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const uint32_t entry = box.PickBuffer[i];
        recoloured += entry < 64;
        ASSERT_EQ(box.PixelBuffer[i], entry < 64 ? 240 : before[i]);
    }
    EXPECT_GT(recoloured, 0);
    // The pane's bottom right shows a texel of row 53 of the old skin.
    EXPECT_EQ(box.PickBuffer[ElementAt(200, 200, 199, 199)] / 64, 53u);
    EXPECT_EQ(box.PickAt({199, 199}), NoTexel);
    EXPECT_EQ(box.PickAt({200, 0}), NoTexel);
    EXPECT_EQ(box.PickAt({-1, 0}), NoTexel);
}

TEST_F(SkinBoxTest, RenderingNeverAllocates) {
    test::TempDir dir;
    auto app = AppWithSample(sys, dir);
    for (int i = 0; i < app->NumTriangles; ++i) app->Triangles[i].Flags = uint32_t(i % 4);
    SkinBox box(*app, host);
    const long beforeSize = test::HeapAllocations();
    box.OnSize(640, 480);
    ASSERT_GT(test::HeapAllocations(), beforeSize);  // the counter sees the new buffers

    const long before = test::HeapAllocations();
    for (int mode : {ModeMix, ModePaint, ModeMapping}) {
        app->Mode = mode;
        for (SkinBox::Kind kind : AllKinds) box.Render(kind);
        box.PanS += 3.0f;
        box.Zoom = 7.0f;
        box.Render(SkinBox::Kind::Full);
        box.Zoom = 1e9f;
        box.Render(SkinBox::Kind::DisplayOnly);
    }
    EXPECT_EQ(test::HeapAllocations(), before);
}

}  // namespace
}  // namespace varp
