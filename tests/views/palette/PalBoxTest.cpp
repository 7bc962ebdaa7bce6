// The palette view: colour under a point, marker colours, the cells' pictures, the size rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "support/HeapCounter.h"
#include "views/palette/PalBox.h"
#include "views/palette/PaletteTestSupport.h"

namespace varp {
namespace {

using test::CellPicture;

struct PalBoxTest : ::testing::Test {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = std::make_unique<App>(sys);
    PalBox box{*app, host};
};

TEST(PalBoxColourAt, CellsCountFromTheTopLeftAndNoPointGivesMoreThan255) {
    EXPECT_EQ(PalBox::ColourAt({0, 0}), 0);
    EXPECT_EQ(PalBox::ColourAt({11, 11}), 0);
    EXPECT_EQ(PalBox::ColourAt({12, 0}), 1);
    EXPECT_EQ(PalBox::ColourAt({0, 12}), 16);
    EXPECT_EQ(PalBox::ColourAt({191, 0}), 15);
    EXPECT_EQ(PalBox::ColourAt({0, 191}), 240);
    EXPECT_EQ(PalBox::ColourAt({191, 191}), 255);
    // Outside the grid: left and above count as the first column and row; right and below
    // give what a larger pane's grid shows there.
    EXPECT_EQ(PalBox::ColourAt({-5, -7}), 0);
    EXPECT_EQ(PalBox::ColourAt({-100, 30}), 32);
    EXPECT_EQ(PalBox::ColourAt({192, 0}), 16);
    EXPECT_EQ(PalBox::ColourAt({0, 192}), 0);
    EXPECT_EQ(PalBox::ColourAt({5000, 5000}), 160);  // (416 + 16 x 416) mod 256
    EXPECT_EQ(PalBox::ColourAt({INT_MAX, INT_MAX}), (178956970u * 17u) % 256u);
    EXPECT_EQ(PalBox::ColourAt({INT_MIN, INT_MIN}), 0);
}

TEST_F(PalBoxTest, OneCellCanHoldBothMarkersAndACrossDrawnOverThem) {
    app->PaintColour = app->BackgroundColour = 37;
    app->ColourLocks[37] = 1;
    box.OnSize(192, 192);
    // '#' is the marker colour of 37, '2' and 'C' the cross colours 2 and 12.
    const std::vector<std::string> cell = {
        "C##########2", "#C........2#", "#.C......2.#", "#..C####2..#",
        "#..#C..2#..#", "#..#.C2.#..#", "#..#.2C.#..#", "#..#2..C#..#",
        "#..2####C..#", "#.2......C.#", "#2........C#", "2##########C",
    };
    EXPECT_EQ(CellPicture(box, 37, 245), cell);
}

TEST_F(PalBoxTest, ThePlaceholderStaysUntilTheFirstSizeAndOnlyANewSizeRenders) {
    EXPECT_EQ(box.BufferWidth, -1);
    EXPECT_EQ(box.PixelBuffer.size(), 1024u);
    std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), uint8_t{9});
    box.Render();
    EXPECT_EQ(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), 9), 1024);

    // The size rule itself is the panes' common one, tested with the skin view.
    box.OnSize(190, 192);
    EXPECT_EQ(box.PixelBuffer.size(), 192u * 192u);
    box.PixelBuffer[100] = 77;
    box.OnSize(189, 192);  // the same buffer: not rendered again
    EXPECT_EQ(box.PixelBuffer[100], 77);

    box.OnSize(192, 193);
    // Re-rendered: the bottom row is pane row 192, whose cells wrap round to colours 0..15.
    EXPECT_EQ(box.PixelBuffer[100], 8);

    box.OnSize(0, 192);
    EXPECT_TRUE(box.PixelBuffer.empty());
    box.Render();
    EXPECT_EQ(host.Requests(), 0);
}

TEST_F(PalBoxTest, RenderingNeverAllocates) {
    for (int& lock : app->ColourLocks) lock = 1;
    box.OnSize(192, 192);
    const long before = test::HeapAllocations();
    box.Render();
    app->PaintColour = 255;
    box.Render();
    EXPECT_EQ(test::HeapAllocations(), before);
}

TEST_F(PalBoxTest, APaneTooBigForMemoryStaysEmptyAndTheNextSizeTriesAgain) {
    box.OnSize(192, 192);
    test::FailAllocationsFrom(100000);
    box.OnSize(400, 400);
    test::FailAllocationsFrom(0);
    EXPECT_EQ(box.BufferWidth, 0);
    EXPECT_TRUE(box.PixelBuffer.empty());
    box.Render();
    box.OnSize(400, 400);
    EXPECT_EQ(box.PixelBuffer.size(), 400u * 400u);
}

}  // namespace
}  // namespace varp
