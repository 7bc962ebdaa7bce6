// The 3D view's buffers and render kinds on the demo character.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/HeapCounter.h"
#include "views/OutlineColours.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

constexpr IsoBox::Kind AllKinds[] = {IsoBox::Kind::Recolour, IsoBox::Kind::Full,
                                     IsoBox::Kind::Background, IsoBox::Kind::Quick,
                                     IsoBox::Kind::Mapping};

constexpr uint32_t NoPick = IsoBox::NoPick;

// The demo character in a 320 x 240 view, fully rendered.
struct SampleView : IsoFixture {
    SampleView() {
        EXPECT_EQ(LoadSample(), 1);
        app->BackgroundColour = 7;
        box->OnSize(320, 240);
    }
    uint32_t SomeShownEntry() const {
        const std::vector<uint32_t>& pick = box->PickBuffer;
        return pick[At(160, 120)] != NoPick ? pick[At(160, 120)] : pick[At(160, 60)];
    }
};

TEST(IsoBoxBuffers, PlaceholdersUntilTheFirstSizeChangeAndNothingIsDrawnIntoThem) {
    IsoFixture f;
    ASSERT_EQ(f.LoadSample(), 1);
    IsoBox& box = *f.box;
    EXPECT_EQ(box.BufferWidth, -1);
    EXPECT_EQ(box.BufferHeight, -1);
    EXPECT_EQ(box.PixelBuffer.size(), 1024u);
    EXPECT_EQ(box.DepthBuffer.size() * sizeof(uint16_t), 2048u);
    EXPECT_EQ(box.PickBuffer.size() * sizeof(uint32_t), 4096u);

    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{77});
    std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 5u);
    for (IsoBox::Kind kind : AllKinds) box.Render(kind);
    f.app->Mode = ModeMapping;
    box.Render(IsoBox::Kind::Full);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 77), 1024);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), 5u), 1024);
}

// The size rule itself is the panes' common one, tested with the skin view.
TEST(IsoBoxBuffers, ANewSizeReplacesAllThreeBuffersAndRendersThemAndTheSameSizeDoesNeither) {
    SampleView v;
    IsoBox& box = *v.box;
    box.OnSize(201, 100);
    EXPECT_EQ(box.BufferWidth, 204);
    EXPECT_EQ(box.PixelBuffer.size(), 20400u);
    EXPECT_EQ(box.DepthBuffer.size(), 20400u);
    EXPECT_EQ(box.PickBuffer.size(), 20400u);
    EXPECT_NE(box.PickBuffer[v.At(102, 50)], NoPick);  // the model's texels under the centre

    box.PixelBuffer[0] = 250;
    box.PickBuffer[0] = 12345;
    box.OnSize(203, 100);
    EXPECT_EQ(box.PixelBuffer[0], 250);
    EXPECT_EQ(box.PickBuffer[0], 12345u);
    box.OnSize(201, 101);
    EXPECT_EQ(box.PixelBuffer[0], 7);  // rendered again: the background
    EXPECT_EQ(box.PickBuffer[0], NoPick);
}

TEST(IsoBoxBuffers, AZeroSizedPaneHasEmptyBuffersAndRendersNothing) {
    SampleView v;
    IsoBox& box = *v.box;
    box.OnSize(0, 300);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_EQ(box.BufferHeight, 300);
    EXPECT_TRUE(box.PixelBuffer.empty());
    EXPECT_TRUE(box.DepthBuffer.empty());
    EXPECT_TRUE(box.PickBuffer.empty());
    for (IsoBox::Kind kind : AllKinds) box.Render(kind);
    EXPECT_EQ(box.PickAt({0, 0}), NoPick);
}

TEST(IsoBoxBuffers, BuffersThatCannotBeAllocatedLeaveAnEmptyPaneUntilTheNextSizeChange) {
    SampleView v;
    IsoBox& box = *v.box;
    FailAllocationsFrom(400 * 300);
    box.OnSize(400, 300);
    FailAllocationsFrom(0);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_EQ(box.BufferHeight, 0);
    EXPECT_TRUE(box.PixelBuffer.empty());
    EXPECT_TRUE(box.PickBuffer.empty());
    box.Render(IsoBox::Kind::Full);

    box.OnSize(400, 300);
    EXPECT_EQ(box.BufferWidth, 400);
    EXPECT_EQ(box.PickBuffer.size(), 120000u);
    EXPECT_NE(box.PickAt({200, 150}), NoPick);
}

TEST(IsoBoxBuffers, PickAtIsEmptyOutsideTheBuffer) {
    SampleView v;
    IsoBox& box = *v.box;
    std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 5u);  // so a wrapped read shows
    for (ClientPoint p :
         {ClientPoint{-1, 5}, ClientPoint{320, 5}, ClientPoint{5, -1}, ClientPoint{5, 240}}) {
        EXPECT_EQ(box.PickAt(p), NoPick) << p.x << ", " << p.y;
    }
    EXPECT_EQ(box.PickAt({319, 239}), 5u);
}

TEST(IsoBoxKinds, RecolourAfterPaintingATexelShowsWhatAFullRenderShows) {
    SampleView v;
    IsoBox& box = *v.box;
    SkinImage& skin = *v.app->CurrentSkin;
    const uint32_t texel = v.SomeShownEntry();
    ASSERT_NE(texel, NoPick);
    const uint8_t paint = static_cast<uint8_t>(skin.Pixels[texel] + 1);
    const std::vector<uint8_t> before = box.PixelBuffer;
    const std::vector<uint32_t> picks = box.PickBuffer;

    skin.Pixels[texel] = paint;
    box.Render(IsoBox::Kind::Recolour);
    const std::vector<uint8_t> recoloured = box.PixelBuffer;
    EXPECT_EQ(box.PickBuffer, picks);
    box.Render(IsoBox::Kind::Full);
    ASSERT_EQ(box.PickBuffer, picks);

    size_t shown = 0;
    for (size_t i = 0; i < picks.size(); ++i) {
        if (picks[i] == texel) {
            ++shown;
            ASSERT_EQ(recoloured[i], box.PixelBuffer[i]) << "pixel " << i;
            ASSERT_EQ(recoloured[i], paint) << "pixel " << i;
        } else {
            ASSERT_EQ(recoloured[i], before[i]) << "pixel " << i;
        }
    }
    EXPECT_GT(shown, 0u);
    EXPECT_EQ(recoloured, box.PixelBuffer);
}

TEST(IsoBoxKinds, BackgroundRecoloursOnlyPixelsThatShowNoTriangle) {
    SampleView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> before = box.PixelBuffer;
    v.app->BackgroundColour = 200;
    box.Render(IsoBox::Kind::Background);
    size_t background = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (box.PickBuffer[i] == NoPick) {
            ++background;
            ASSERT_EQ(box.PixelBuffer[i], 200);
        } else {
            ASSERT_EQ(box.PixelBuffer[i], before[i]);
        }
    }
    EXPECT_GT(background, 0u);
    EXPECT_LT(background, before.size());
}

TEST(IsoBoxKinds, InMappingModeEveryKindIsAFullMappingRenderWithOutlines) {
    SampleView v;
    IsoBox& box = *v.box;
    App& app = *v.app;
    app.Mode = ModeMapping;
    app.PaintColour = 40;
    for (int t = 0; t < app.NumTriangles; t += 2) app.Triangles[t].Flags = Selected;
    box.Render(IsoBox::Kind::Mapping);
    const std::vector<uint8_t> pixels = box.PixelBuffer;
    const std::vector<uint16_t> depth = box.DepthBuffer;
    const std::vector<uint32_t> picks = box.PickBuffer;
    EXPECT_EQ(box.PickHolds(), IsoBox::PickMeaning::TriangleIndices);
    const uint8_t selected = test::OutlineColoursOf(app.CurrentSkin->Palette, 40).selected;
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), selected), 100);

    for (IsoBox::Kind kind : AllKinds) {
        std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{3});
        std::fill(box.DepthBuffer.begin(), box.DepthBuffer.end(), uint16_t{3});
        std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 3u);
        box.Render(kind);
        EXPECT_EQ(box.PixelBuffer, pixels) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(box.DepthBuffer, depth) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(box.PickBuffer, picks) << "kind " << static_cast<int>(kind);
    }
}

TEST(IsoBoxKinds, RecolourNeverReadsTriangleIndicesAsTexels) {
    SampleView v;
    IsoBox& box = *v.box;
    v.app->Mode = ModeMapping;
    box.Render(IsoBox::Kind::Full);
    // Back in Mix mode before any full render: the entries are still triangle indices.
    v.app->Mode = ModeMix;
    const std::vector<uint8_t> pixels = box.PixelBuffer;
    box.Render(IsoBox::Kind::Recolour);
    EXPECT_EQ(box.PixelBuffer, pixels);
}

TEST(IsoBoxKinds, WithoutAFrameOrASkinOnlyTheBackgroundIsShown) {
    SampleView v;
    IsoBox& box = *v.box;
    App& app = *v.app;
    auto expectCleared = [&](const char* what) {
        const size_t n = box.PixelBuffer.size();
        EXPECT_EQ(size_t(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 7)), n) << what;
        EXPECT_EQ(size_t(std::count(box.DepthBuffer.begin(), box.DepthBuffer.end(), 0xFFFF)), n)
            << what;
        EXPECT_EQ(size_t(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoPick)), n)
            << what;
    };
    ModelFrame* frame = app.CurrentFrame;
    app.CurrentFrame = nullptr;
    box.Render(IsoBox::Kind::Full);
    expectCleared("no frame, Full");
    std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 4u);
    box.Render(IsoBox::Kind::Quick);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), 4u), 320 * 240);
    app.Mode = ModeMapping;
    box.Render(IsoBox::Kind::Quick);
    expectCleared("no frame, Mapping");

    app.Mode = ModeMix;
    app.CurrentFrame = frame;
    app.CurrentSkin = nullptr;
    box.Render(IsoBox::Kind::Full);
    expectCleared("no skin, Full");
    // Recolour and Background need a skin.
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{9});
    app.BackgroundColour = 8;
    box.Render(IsoBox::Kind::Background);
    box.Render(IsoBox::Kind::Recolour);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 9), 320 * 240);
}

TEST(IsoBoxKinds, WithTheEyeOnTheTargetOnlyTheBackgroundIsShown) {
    SampleView v;
    IsoBox& box = *v.box;
    box.ViewCamera.Eye = box.ViewCamera.Target = {1, 2, 3};
    box.Render(IsoBox::Kind::Full);
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 7), 320 * 240);
    EXPECT_EQ(std::count(box.PickBuffer.begin(), box.PickBuffer.end(), NoPick), 320 * 240);
    box.ViewCamera.Eye = {100, 2, 3};
    box.Render(IsoBox::Kind::Full);
    EXPECT_NE(box.PickAt({160, 120}), NoPick);
}

TEST(IsoBoxKinds, NoRenderAllocates) {
    SampleView v;
    IsoBox& box = *v.box;
    App& app = *v.app;
    box.OnSize(1100, 1030);  // taller than the rasterizer's customary 1024 rows
    for (int t = 0; t < app.NumTriangles; t += 3)
        app.Triangles[t].Flags = t % 2 ? Grabbed : Selected;
    const long before = HeapAllocations();
    for (IsoBox::Kind kind : AllKinds) box.Render(kind);
    app.Mode = ModeMapping;
    box.Render(IsoBox::Kind::Quick);
    box.ViewCamera.BeginOrbit();
    box.ViewCamera.Orbit(300, 200);
    box.ViewCamera.Dolly(-900);
    box.Render(IsoBox::Kind::Quick);
    const long after = HeapAllocations();
    EXPECT_EQ(after - before, 0);
}

}  // namespace
}  // namespace varp::test
