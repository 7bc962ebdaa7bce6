// The 3D view's strokes through a real main window: what each refresh redraws, and a mode
// change in the middle of a drag.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "views/OutlineColours.h"
#include "views/iso/FanWindow.h"

namespace varp::test {
namespace {

constexpr uint32_t NoPick = IsoBox::NoPick;
constexpr unsigned L = MK_LBUTTON;

// Every pixel whose pick entry is `entry` shows `colour`; every other one is as `before`.
void ExpectOnlyPicksChanged(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after,
                            const std::vector<uint32_t>& picks, uint32_t entry, uint8_t colour) {
    ASSERT_EQ(after.size(), before.size());
    size_t shown = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        if (picks[i] == entry) {
            ++shown;
            ASSERT_EQ(after[i], colour) << "pixel " << i;
        } else {
            ASSERT_EQ(after[i], before[i]) << "pixel " << i;
        }
    }
    EXPECT_GT(shown, 0u);
}

TEST(IsoThroughMainWnd, AMixClickPaintsATexelThatBothViewsShowWhenThePressReturns) {
    FanWindow w;
    IsoBox& model = w.Model();
    SkinBox& skin = w.Skin();
    const uint32_t texel = model.PickAt(FanWindow::Top);
    ASSERT_NE(texel, NoPick);
    const std::vector<uint8_t> modelBefore = model.PixelBuffer;
    const std::vector<uint8_t> skinBefore = skin.PixelBuffer;
    std::vector<uint8_t> texels = w.Texels();
    texels[texel] = 200;

    model.OnLButtonDown(FanWindow::Top, L);
    EXPECT_EQ(w.Texels(), texels);
    EXPECT_EQ(w.modelHost.sent, std::vector<int>{0});
    EXPECT_EQ(w.frame.redraws, (std::vector<Child>{Child::ModelView, Child::SkinView}));
    ExpectOnlyPicksChanged(modelBefore, model.PixelBuffer, model.PickBuffer, texel, 200);
    ExpectOnlyPicksChanged(skinBefore, skin.PixelBuffer, skin.PickBuffer, texel, 200);

    model.OnLButtonUp(FanWindow::Top, 0);
    EXPECT_EQ(w.modelHost.sent, (std::vector<int>{0, 5}));  // and the step is recorded
    EXPECT_FALSE(w.modelHost.capture);
}

TEST(IsoThroughMainWnd, ASelectionOutlinesTheTriangleInBothViewsAtOnce) {
    FanWindow w;
    w.Command(CmdMappingMode);
    IsoBox& model = w.Model();
    ASSERT_EQ(model.PickAt(FanWindow::Top), 0u);
    const auto count = [](const std::vector<uint8_t>& pixels, uint8_t colour) {
        size_t n = 0;
        for (uint8_t c : pixels) n += c == colour;
        return n;
    };
    const uint8_t selectedColour = OutlineColoursOf(w.app->CurrentSkin->Palette, 200).selected;
    // Entry 0, the farthest from 200, is also the background's.
    const size_t modelBefore = count(model.PixelBuffer, selectedColour);
    const size_t skinBefore = count(w.Skin().PixelBuffer, selectedColour);

    model.OnLButtonDown(FanWindow::Top, L);
    EXPECT_EQ(w.app->Triangles[0].Flags, Selected);
    EXPECT_EQ(w.modelHost.sent, std::vector<int>{3});
    EXPECT_EQ(w.frame.redraws, (std::vector<Child>{Child::ModelView, Child::SkinView}));
    EXPECT_GT(count(model.PixelBuffer, selectedColour), modelBefore);
    EXPECT_GT(count(w.Skin().PixelBuffer, selectedColour), skinBefore);

    // The re-render keeps triangle indices under the mouse: the drag goes on over them.
    model.OnMouseMove(FanWindow::Right, L);
    model.OnMouseMove(FanWindow::Top, L);
    EXPECT_EQ(w.app->Triangles[1].Flags, Selected);
    EXPECT_EQ(w.modelHost.sent, (std::vector<int>{3, 3}));
    model.OnLButtonUp(FanWindow::Top, 0);
    EXPECT_EQ(model.DragState, IsoBox::Drag::Idle);
}

TEST(IsoThroughMainWnd, AModeKeyLeavesAPaintDragRunningButItNeverSelectsOrPaintsInTheNewMode) {
    FanWindow w;
    IsoBox& model = w.Model();
    model.OnLButtonDown(FanWindow::Top, L);
    ASSERT_EQ(w.modelHost.sent, std::vector<int>{0});
    const std::vector<uint8_t> texels = w.Texels();

    w.Command(CmdMappingMode);
    EXPECT_EQ(model.DragState, IsoBox::Drag::Paint);
    EXPECT_TRUE(w.modelHost.capture);
    ASSERT_EQ(model.PickHolds(), IsoBox::PickMeaning::TriangleIndices);
    // The picks are triangle indices now: the moves find no texel and select nothing.
    for (ClientPoint p : {FanWindow::Right, FanWindow::Bottom, FanWindow::Left})
        model.OnMouseMove(p, L);
    model.OnLButtonUp(FanWindow::Left, 0);
    EXPECT_EQ(model.DragState, IsoBox::Drag::Idle);
    EXPECT_EQ(w.Texels(), texels);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(w.app->Triangles[t].Flags, 0u);
    EXPECT_EQ(w.modelHost.sent, (std::vector<int>{0, 5}));  // the press's texel, one step
}

}  // namespace
}  // namespace varp::test
