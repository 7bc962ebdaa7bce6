// The palette view: the colour under a point, marker colours, and the mouse: choosing the two
// colours, protecting and releasing colours, sweeps and the rules that end them.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <tuple>
#include <vector>

#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "views/palette/PalBox.h"

namespace varp {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;
constexpr unsigned Shift = MK_SHIFT;

TEST(PalBoxColours, CellsCountFromTheTopLeftAndNoPointGivesMoreThan255) {
    const struct {
        ClientPoint p;
        unsigned colour;
    } cases[] = {
        {{0, 0}, 0},
        {{11, 11}, 0},
        {{12, 0}, 1},
        {{0, 12}, 16},
        {{191, 0}, 15},
        {{0, 191}, 240},
        {{191, 191}, 255},
        // Left and above count as the first column and row; right and below give what a
        // larger pane's grid shows there.
        {{-5, -7}, 0},
        {{-100, 30}, 32},
        {{192, 0}, 16},
        {{0, 192}, 0},
        {{5000, 5000}, 160},  // (416 + 16 x 416) mod 256
        {{INT_MAX, INT_MAX}, (178956970u * 17u) % 256u},
        {{INT_MIN, INT_MIN}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PalBox::ColourAt(c.p), c.colour) << c.p.x << ", " << c.p.y;
    // 256 - (30 - row - column) / 2, modulo 256.
    EXPECT_EQ(PalBox::MarkerColour(0), 241);
    EXPECT_EQ(PalBox::MarkerColour(37), 245);
    EXPECT_EQ(PalBox::MarkerColour(15), 249);
    EXPECT_EQ(PalBox::MarkerColour(255), 0);
}

// A 192 x 192 palette; the middle of colour k's cell.
struct PalInteraction : ::testing::Test {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = std::make_unique<App>(sys);
    PalBox box{*app, host};

    PalInteraction() {
        host.pane = &box;
        host.width = host.height = 192;
        box.OnSize(192, 192);
    }
    static ClientPoint Cell(int k) { return {12 * (k % 16) + 6, 12 * (k / 16) + 6}; }
    // The pixel at (column, row) of colour k's cell, counted from its top left.
    uint8_t InCell(int k, int column, int row) const {
        return box.PixelBuffer[size_t((191 - 12 * (k / 16) - row) * 192 + 12 * (k % 16) + column)];
    }
    // The sweep, whether the pane holds the capture, and how often it was redrawn.
    std::tuple<PalBox::Drag, bool, int> State() const {
        return {box.DragState, host.capture, host.redraws};
    }
};

TEST_F(PalInteraction, ALeftClickChoosesItsCellsColourRedrawsAndInMappingModeTellsTheViews) {
    box.OnLButtonDown({191, 191}, L);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::PaintSweep, true, 1));
    box.OnLButtonUp({191, 191}, 0);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::Idle, false, 1));
    EXPECT_EQ(app->PaintColour, 255);
    EXPECT_TRUE(host.sent.empty());  // outside Mapping mode nobody else shows PaintColour
    app->Mirror = 1;                 // but for the mirror axis
    box.OnLButtonDown({191, 191}, L);
    box.OnLButtonUp({191, 191}, 0);
    EXPECT_EQ(host.sent, std::vector<int>{4});
    host.sent.clear();
    app->Mirror = 0;

    app->Mode = ModeMapping;
    app->PaintColour = 37;
    box.OnLButtonDown(Cell(37), L);  // the same colour: redrawn and told all the same
    EXPECT_EQ(host.redraws, 3);
    // The sweep goes on outside the pane: the colour stays, the redraw and the refresh come.
    box.OnMouseMove({-5, 30}, L);
    EXPECT_EQ(std::tuple(app->PaintColour, host.redraws), std::tuple(37, 4));
    box.OnMouseMove(Cell(40), L);
    EXPECT_EQ(std::tuple(app->PaintColour, host.redraws), std::tuple(40, 5));
    EXPECT_EQ(host.sent, (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(std::tuple(InCell(40, 0, 0), InCell(40, 11, 11), InCell(37, 0, 0)),
              std::tuple(PalBox::MarkerColour(40), PalBox::MarkerColour(40), 37));
}

TEST_F(PalInteraction, TheRightButtonChangesTheBackgroundOnlyWhenTheColourDiffers) {
    app->BackgroundColour = 20;
    box.OnRButtonDown(Cell(20), R);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::BackgroundSweep, true, 0));
    // The sweep: outside nothing (the column just right of the pane included), inside each
    // new colour once.
    for (ClientPoint p : {ClientPoint{192, 6}, Cell(21), {Cell(21).x + 3, 6}, Cell(5)}) {
        box.OnMouseMove(p, R);
    }
    EXPECT_EQ(host.sent, (std::vector<int>{2, 2}));
    EXPECT_EQ(std::tuple(app->BackgroundColour, InCell(5, 3, 3)),
              std::tuple(5, PalBox::MarkerColour(5)));
    box.OnRButtonUp(Cell(5), 0);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::Idle, false, 2));
}

TEST_F(PalInteraction, ShiftLeftProtectsAndShiftRightReleasesOnlyColoursLockedByZeroOrOne) {
    app->ColourLocks[53] = 2;  // a lock of another value is left alone
    box.OnLButtonDown(Cell(50), L | Shift);
    EXPECT_EQ(std::tuple(box.DragState, box.ShiftHeld), std::tuple(PalBox::Drag::ProtectSweep, 1));
    EXPECT_EQ(std::tuple(InCell(50, 0, 0), InCell(50, 11, 0)), std::tuple(12, 2));  // the cross
    // The sweep locks every colour it passes inside the pane, and only those.
    for (ClientPoint p : {Cell(51), Cell(53), {-1, 6}}) box.OnMouseMove(p, L);
    box.OnLButtonUp(Cell(51), 0);
    EXPECT_EQ(std::tuple(app->ColourLocks[50], app->ColourLocks[51], app->ColourLocks[53],
                         app->ColourLocks[0], app->PaintColour, box.ShiftHeld, host.redraws),
              std::tuple(1, 1, 2, 0, 0, 0, 2));
    box.OnRButtonDown(Cell(50), R | Shift);
    EXPECT_EQ(box.DragState, PalBox::Drag::ReleaseSweep);
    box.OnMouseMove(Cell(53), R);
    box.OnRButtonUp(Cell(52), 0);
    box.OnRButtonDown(Cell(60), R | Shift);  // not protected: nothing to do
    EXPECT_EQ(
        std::tuple(app->ColourLocks[50], app->ColourLocks[53], InCell(50, 0, 0), host.redraws),
        std::tuple(0, 2, 50, 3));
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(PalInteraction, ASweepEndsOnlyWhenBothButtonsAreUpOrTheCaptureIsLost) {
    box.OnLButtonDown(Cell(3), L);
    // The right button during the sweep changes nothing, going down or coming up.
    box.OnRButtonDown(Cell(9), L | R);
    box.OnRButtonUp(Cell(9), L);
    box.OnMouseMove(Cell(4), L);
    box.OnRButtonDown(Cell(4), L | R);
    box.OnLButtonUp(Cell(4), R);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::Done, true, 2));
    box.OnMouseMove(Cell(7), R);  // the sweep is over
    box.OnRButtonUp(Cell(7), 0);
    EXPECT_EQ(State(), std::tuple(PalBox::Drag::Idle, false, 2));
    EXPECT_EQ(std::tuple(app->PaintColour, app->BackgroundColour, host.releases),
              std::tuple(4, 0, 1));
    // A lost capture ends a sweep at once and releases nothing.
    box.OnRButtonDown(Cell(8), R | Shift);
    host.capture = false;
    box.OnCaptureChanged();
    EXPECT_EQ(std::tuple(box.DragState, box.ShiftHeld), std::tuple(PalBox::Drag::Idle, 0));
    box.OnMouseMove(Cell(9), R);
    box.OnRButtonUp(Cell(9), 0);
    EXPECT_EQ(host.releases, 1);
}

}  // namespace
}  // namespace varp
