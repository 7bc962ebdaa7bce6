// The skin view's mapping drags through a real main window: what the refreshes show, and a mode
// change in the middle of a drag.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "frame/Commands.h"
#include "support/Md2Files.h"
#include "support/TestWindow.h"
#include "views/OutlineColours.h"
#include "views/skin/SkinBox.h"

namespace varp::test {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr uint8_t Unselected = 200;

// The square model (triangles 0 1 2 and 0 2 3 over the corners of an 8 x 8 skin) in an
// 800 x 600 window, in Mapping mode with PaintColour 200. The skin view is 608 x 550 at the
// starting pan and zoom: texel (s, t) lies around client point (305 + 3 (s - 50),
// 276 + 3 (t - 50)). The skin's texels are all below 29, so outline colours stand out.
struct SkinWindowTest : ::testing::Test, TestWindow {
    SkinWindowTest() {
        TestModel m = SquareModel();
        m.skins = {"sq\\skin.pcx"};
        Open(m, "sq");
        app->PaintColour = Unselected;
        Command(CmdMappingMode);
        const OutlineColours c = OutlineColoursOf(app->CurrentSkin->Palette, Unselected);
        SelectedOutline = c.selected;
        GrabbedOutline = c.grabbed;
    }
    uint8_t SelectedOutline = 0, GrabbedOutline = 0;
    static ClientPoint At(int s, int t) { return {305 + 3 * (s - 50), 276 + 3 * (t - 50)}; }
    size_t Shown(uint8_t colour) {
        const std::vector<uint8_t>& pixels = wnd->SkinView().PixelBuffer;
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
    }
};

TEST_F(SkinWindowTest, EveryStepOfADragIsOnScreenWhenTheHandlerReturns) {
    SkinBox& skin = wnd->SkinView();
    app->Triangles[0].Flags = Selected;
    // The selected colour is also the background's (entry 0 is the farthest from 200).
    const size_t selectedBefore = Shown(SelectedOutline);
    skin.OnLButtonDown(At(7, 7), L);
    ASSERT_EQ(skin.DragState, SkinBox::Drag::MovePoint);
    EXPECT_EQ(frame.redraws, (std::vector<Child>{Child::ModelView, Child::SkinView}));
    const size_t grabbed = Shown(GrabbedOutline);
    EXPECT_GT(grabbed, 0u);
    EXPECT_GT(Shown(Unselected), 0u);
    const size_t selected = Shown(SelectedOutline);
    EXPECT_LT(selected, selectedBefore);  // the one selected triangle is grabbed

    skin.OnMouseMove(At(5, 3), L);
    EXPECT_EQ(frame.redraws.size(), 4u);
    skin.OnLButtonUp(At(5, 3), 0);
    EXPECT_EQ(frame.redraws.size(), 6u);
    // Only the handles on its three points keep the grabbed colour.
    EXPECT_EQ(Shown(GrabbedOutline), 3u * 16u);
    EXPECT_GT(Shown(SelectedOutline), selected);
    EXPECT_EQ(app->NumTexCoords, 5);
    EXPECT_TRUE(frame.posted.empty());
}

TEST_F(SkinWindowTest, AModeKeyLeavesAMappingDragRunningToItsRelease) {
    SkinBox& skin = wnd->SkinView();
    app->Triangles[0].Flags = Selected;
    skin.OnLButtonDown(At(7, 7), L);
    skin.OnMouseMove(At(5, 3), L);
    wnd->OnCommand(CmdPaintMode);
    EXPECT_EQ(skin.DragState, SkinBox::Drag::MovePoint);
    EXPECT_TRUE(skinHost.capture);
    skin.OnMouseMove(At(2, 2), L);
    skin.OnLButtonUp(At(2, 2), 0);
    EXPECT_EQ(skin.DragState, SkinBox::Drag::Idle);
    EXPECT_FALSE(skinHost.capture);
    EXPECT_EQ(app->NumTexCoords, 5);
    EXPECT_EQ(app->Triangles[0].CornerST[2], (SkinCoord{2, 2}));
    EXPECT_EQ(app->Triangles[0].Flags, Selected);
    EXPECT_STREQ(app->Edits.UndoLabel(), "Mapping Drag");
}

}  // namespace
}  // namespace varp::test
