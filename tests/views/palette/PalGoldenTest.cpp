// Whole palette pictures compared byte for byte with a per-pixel reference, at 192 x 192 and at
// other sizes the pane might be given.
//
// The reference decides each pixel on its own, with no drawing at all: the grid value from the
// pixel's pane position, then whether the pixel lies on the paint-colour outline, on the
// background outline, or on one of the two diagonals of a protected colour's cell, with marker
// and cross positions counted from the bottom row as the 192 x 192 layout places them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "views/palette/PalBox.h"

namespace varp {
namespace {

// On a difference: the first pixel that differs, with both values.
testing::AssertionResult SamePixels(const std::vector<uint8_t>& got,
                                    const std::vector<uint8_t>& want, int width) {
    if (got.size() != want.size()) return testing::AssertionFailure() << "sizes differ";
    const auto at = std::mismatch(got.begin(), got.end(), want.begin());
    if (at.first == got.end()) return testing::AssertionSuccess();
    const auto i = at.first - got.begin();
    return testing::AssertionFailure() << "column " << i % width << ", buffer row " << i / width
                                       << ": " << +*at.first << " instead of " << +*at.second;
}

uint8_t MarkerOf(int c) {
    return static_cast<uint8_t>((256 - (30 - c / 16 - c % 16) / 2) % 256);
}

// Whether (column x, buffer row r) lies on the outline of `size` pixels inset by `inset` in
// colour c's cell.
bool OnOutline(int c, int inset, int size, int x, int r) {
    const int left = 12 * (c % 16) + inset, bottom = 12 * (15 - c / 16) + inset;
    const int right = left + size - 1, top = bottom + size - 1;
    if (x < left || x > right || r < bottom || r > top) return false;
    return x == left || x == right || r == bottom || r == top;
}

std::vector<uint8_t> ReferencePicture(const Workspace& ws, int width, int height) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int r = 0; r < height; ++r) {
        const int y = height - 1 - r;
        for (int x = 0; x < width; ++x) {
            int v = (x / 12 + 16 * (y / 12)) % 256;
            if (OnOutline(ws.PaintColour, 0, 12, x, r)) v = MarkerOf(ws.PaintColour);
            if (OnOutline(ws.BackgroundColour, 3, 6, x, r)) v = MarkerOf(ws.BackgroundColour);
            if (x < 192 && r < 192) {
                const int k = x / 12 + 16 * (15 - r / 12);
                const int i = r % 12, j = x % 12;
                if (ws.ColourLocks[k] == 1 && j == i) v = 2;
                if (ws.ColourLocks[k] == 1 && j == 11 - i) v = 12;
            }
            out[static_cast<size_t>(r) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<uint8_t>(v);
        }
    }
    return out;
}

struct PalState {
    uint8_t paint, background;
    // Colours k with k % lockEvery == 0 get lock value 1, the next one 2 and the one after -1:
    // only 1 is drawn.
    int lockEvery;
};

void PrintTo(const PalState& s, std::ostream* out) {
    *out << "paint " << +s.paint << ", background " << +s.background << ", locks every "
         << s.lockEvery;
}

class PalGoldenTest : public ::testing::TestWithParam<PalState> {
  protected:
    void SetUp() override {
        const PalState s = GetParam();
        app->PaintColour = s.paint;
        app->BackgroundColour = s.background;
        for (int k = 0; k < 256; ++k) {
            if (k % s.lockEvery == 0) app->ColourLocks[k] = 1;
            if (k % s.lockEvery == 1) app->ColourLocks[k] = 2;
            if (k % s.lockEvery == 2) app->ColourLocks[k] = -1;
        }
    }
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    std::unique_ptr<App> app = std::make_unique<App>(sys);
};

TEST_P(PalGoldenTest, EverySizeMatchesTheReferenceAndStaysInsideTheBuffer) {
    PalBox box(*app, host);
    for (int cx : {1, 3, 4, 13, 100, 181, 188, 191, 192, 193, 250}) {
        for (int cy : {1, 2, 11, 12, 13, 100, 179, 180, 181, 191, 192, 193, 250}) {
            box.OnSize(cx, cy);
            ASSERT_TRUE(SamePixels(box.PixelBuffer, ReferencePicture(*app, box.BufferWidth, cy),
                                   box.BufferWidth))
                << cx << " x " << cy;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(States, PalGoldenTest,
                         testing::Values(PalState{0, 255, 1}, PalState{255, 0, 3},
                                         PalState{37, 37, 5}, PalState{15, 240, 2},
                                         PalState{200, 17, 7}));

}  // namespace
}  // namespace varp
