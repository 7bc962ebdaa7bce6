// The palette view's mouse: choosing the two colours, protecting and releasing colours, sweeps,
// and the rules that end them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "views/palette/PalBox.h"
#include "views/palette/PaletteTestSupport.h"

namespace varp {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;
constexpr unsigned Shift = MK_SHIFT;

// A 192 x 192 palette; the middle of colour k's cell.
struct PalInteractionTest : ::testing::Test {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = std::make_unique<App>(sys);
    PalBox box{*app, host};

    PalInteractionTest() {
        host.pane = &box;
        host.width = host.height = 192;
        box.OnSize(192, 192);
    }
    static ClientPoint Cell(int k) { return {12 * (k % 16) + 6, 12 * (k / 16) + 6}; }
    // A pixel Render always overwrites, spoilt so that a test can see whether it ran.
    void Spoil() { box.PixelBuffer[0] = 99; }
    bool Rendered() const { return box.PixelBuffer[0] != 99; }
};

TEST_F(PalInteractionTest, ALeftClickChoosesTheColourOfItsCell) {
    box.OnLButtonDown({191, 191}, L);
    EXPECT_EQ(app->PaintColour, 255);
    EXPECT_EQ(box.DragState, PalBox::Drag::PaintSweep);
    EXPECT_TRUE(host.capture);
    box.OnLButtonUp({191, 191}, 0);
    EXPECT_EQ(box.DragState, PalBox::Drag::Idle);
    EXPECT_EQ(host.releases, 1);
    EXPECT_TRUE(host.sent.empty());  // outside Mapping mode nobody else shows PaintColour
}

TEST_F(PalInteractionTest, ALeftClickAlwaysRedrawsAndInMappingModeAlwaysTellsTheViews) {
    app->Mode = ModeMapping;
    app->PaintColour = 37;
    Spoil();
    box.OnLButtonDown(Cell(37), L);
    EXPECT_TRUE(Rendered());
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(host.sent, std::vector<int>{1});
    // The sweep goes on outside the pane: the colour stays, the redraw and the refresh come.
    box.OnMouseMove({-5, 30}, L);
    EXPECT_EQ(app->PaintColour, 37);
    box.OnMouseMove(Cell(40), L);
    EXPECT_EQ(app->PaintColour, 40);
    EXPECT_EQ(host.redraws, 3);
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(test::CellPicture(box, 40, PalBox::MarkerColour(40))[0], "############");
}

TEST_F(PalInteractionTest, TheRightButtonChangesTheBackgroundOnlyWhenTheColourDiffers) {
    app->BackgroundColour = 20;
    Spoil();
    box.OnRButtonDown(Cell(20), R);
    EXPECT_EQ(box.DragState, PalBox::Drag::BackgroundSweep);
    EXPECT_TRUE(host.capture);
    EXPECT_FALSE(Rendered());
    EXPECT_EQ(host.redraws, 0);
    EXPECT_TRUE(host.sent.empty());
    // The sweep: outside nothing, inside each new colour once.
    box.OnMouseMove({300, 6}, R);
    box.OnMouseMove(Cell(21), R);
    box.OnMouseMove({Cell(21).x + 3, Cell(21).y}, R);
    box.OnMouseMove(Cell(5), R);
    EXPECT_EQ(app->BackgroundColour, 5);
    EXPECT_EQ(host.sent, (std::vector<int>{2, 2}));
    EXPECT_EQ(host.redraws, 2);
    box.OnRButtonUp(Cell(5), 0);
    EXPECT_EQ(box.DragState, PalBox::Drag::Idle);
    EXPECT_FALSE(host.capture);
}

TEST_F(PalInteractionTest, ShiftLeftProtectsAndShiftRightReleases) {
    box.OnLButtonDown(Cell(50), L | Shift);
    EXPECT_EQ(box.DragState, PalBox::Drag::ProtectSweep);
    EXPECT_EQ(box.ShiftHeld, 1);
    EXPECT_EQ(app->ColourLocks[50], 1);
    EXPECT_EQ(app->PaintColour, 0);
    EXPECT_EQ(test::CellPicture(box, 50, -1)[0], "C..........2");  // the cross's top row
    // The sweep locks every colour it passes inside the pane, and only those.
    box.OnMouseMove(Cell(51), L);
    box.OnMouseMove({-1, 6}, L);
    box.OnLButtonUp(Cell(51), 0);
    EXPECT_EQ(box.ShiftHeld, 0);
    EXPECT_EQ(app->ColourLocks[51], 1);
    EXPECT_EQ(app->ColourLocks[0], 0);
    EXPECT_EQ(host.redraws, 2);

    box.OnRButtonDown(Cell(50), R | Shift);
    EXPECT_EQ(box.DragState, PalBox::Drag::ReleaseSweep);
    EXPECT_EQ(app->ColourLocks[50], 0);
    EXPECT_EQ(test::CellPicture(box, 50, -1)[0], "............");
    EXPECT_EQ(host.redraws, 3);
    box.OnMouseMove(Cell(52), R);  // not protected: nothing to do
    box.OnRButtonUp(Cell(52), 0);
    Spoil();
    box.OnRButtonDown(Cell(60), R | Shift);
    EXPECT_EQ(app->ColourLocks[60], 0);
    EXPECT_FALSE(Rendered());
    EXPECT_EQ(host.redraws, 3);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(PalInteractionTest, ASweepEndsOnlyWhenBothButtonsAreUp) {
    box.OnLButtonDown(Cell(3), L);
    // The right button during the sweep changes nothing, going down or coming up.
    box.OnRButtonDown(Cell(9), L | R);
    box.OnRButtonUp(Cell(9), L);
    EXPECT_EQ(app->BackgroundColour, 0);
    EXPECT_EQ(box.DragState, PalBox::Drag::PaintSweep);
    box.OnMouseMove(Cell(4), L);
    EXPECT_EQ(app->PaintColour, 4);
    box.OnRButtonDown(Cell(4), L | R);
    box.OnLButtonUp(Cell(4), R);
    EXPECT_EQ(box.DragState, PalBox::Drag::Done);
    EXPECT_TRUE(host.capture);
    box.OnMouseMove(Cell(7), R);  // the sweep is over
    EXPECT_EQ(app->PaintColour, 4);
    EXPECT_EQ(app->BackgroundColour, 0);
    box.OnRButtonUp(Cell(7), 0);
    EXPECT_EQ(box.DragState, PalBox::Drag::Idle);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.releases, 1);

    // A lost capture ends a sweep at once and releases nothing.
    box.OnRButtonDown(Cell(8), R | Shift);
    host.capture = false;
    box.OnCaptureChanged();
    EXPECT_EQ(box.DragState, PalBox::Drag::Idle);
    EXPECT_EQ(box.ShiftHeld, 0);
    box.OnMouseMove(Cell(9), R);
    box.OnRButtonUp(Cell(9), 0);
    EXPECT_EQ(host.releases, 1);
}

}  // namespace
}  // namespace varp
