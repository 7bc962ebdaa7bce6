// A paint refresh recolours only the pixels that show the texels it changed, and the window shows
// only their rectangles. Random use of a main window on the demo model (every tool, brush sizes,
// protected colours, both views, Paint and Mix modes, the mirror, zooms, undo and redo): after
// every event that painted, both large panes hold what a whole recolour makes of them, and the
// images blitted from the rectangles the window was asked to show equal a whole blit.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "frame/Commands.h"
#include "sample/Sample.h"
#include "support/TestWindow.h"
#include "views/Blit.h"

namespace varp::test {
namespace {

class DirtyRefresh : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override {
        ASSERT_EQ(sample::WriteSampleBaseFolder(w.dir.Path() + "/base", nullptr), 1);
        w.frame.clientWidth = 640;
        w.frame.clientHeight = 480;
        w.OpenAt(w.dir.SystemPath() + "\\base",
                 w.dir.SystemPath() + "\\base\\models\\demo\\tris.md2");
        w.modelHost.redraws = w.skinHost.redraws = 1;  // the window shows both from the start
    }
    Pane& PaneOf(int i) { return w.wnd->PaneOf(i == 0 ? Child::ModelView : Child::SkinView); }
    // Pane i's buffer shown in its 32-bit image inside `r` as the window shows it (the 3D view
    // splits tall rectangles over its threads) or, for the `reference`, by one plain blit.
    void Show(int i, std::vector<uint32_t>& image, Rect r, bool reference = false) {
        Pane& pane = PaneOf(i);
        image.resize(static_cast<size_t>(pane.Width()) * pane.Height());
        uint32_t table[256];
        PaneColourTable(*w.app, table);
        uint32_t* const dst = image.data() + r.top * pane.Width() + r.left;
        const int width = r.right - r.left, height = r.bottom - r.top;
        reference ? pane.Pane::BlitArea(table, r.left, r.top, width, height, dst, pane.Width())
                  : pane.BlitArea(table, r.left, r.top, width, height, dst, pane.Width());
    }

    // Shows what the event asked to be shown; after a paint refresh (or when `painted`),
    // checks both panes against a whole recolour, and the screens against a whole blit.
    void Settle(bool painted = false) {
        for (int i = 0; i < 2; ++i) {
            FakePaneHost& host = i == 0 ? w.modelHost : w.skinHost;
            const Child child = i == 0 ? Child::ModelView : Child::SkinView;
            const Rect whole{0, 0, PaneOf(i).Width(), PaneOf(i).Height()};
            painted |= std::count(host.sent.begin(), host.sent.end(), 0) > 0;
            long parts = 0;
            for (const auto& [c, area] : w.frame.areas) parts += c == child;
            const bool all = w.frame.RedrawsOf(child) > parts || host.redraws > 0;
            if (all) Show(i, screen[i], whole);
            for (const auto& [c, area] : w.frame.areas) {
                if (c == child && !all) Show(i, screen[i], area);
                partial += c == child && area != whole;
            }
            host.sent.clear();
            host.redraws = 0;
        }
        w.frame.redraws.clear();
        w.frame.areas.clear();
        if (painted) {
            const std::vector<uint8_t> iso = w.wnd->ModelView().PixelBuffer;
            const std::vector<uint8_t> flat = w.wnd->SkinView().PixelBuffer;
            w.wnd->ModelView().Render(IsoBox::Kind::Recolour);
            w.wnd->SkinView().Render(SkinBox::Kind::Recolour);
            ASSERT_TRUE(iso == w.wnd->ModelView().PixelBuffer) << step;
            ASSERT_TRUE(flat == w.wnd->SkinView().PixelBuffer) << step;
            ++checks;
        }
        for (int i = 0; i < 2; ++i) {
            std::vector<uint32_t> whole;
            Show(i, whole, {0, 0, PaneOf(i).Width(), PaneOf(i).Height()}, true);
            ASSERT_TRUE(screen[i] == whole) << step << " pane " << i;
        }
    }

    // An undo or redo that did something is checked as a paint.
    void Command(int id) {
        const size_t undoable = w.app->Edits.UndoCount();
        w.wnd->OnCommand(id);
        w.frame.Drain();
        Settle(w.app->Edits.UndoCount() != undoable);
    }

    // A point of the pane, on the model or the skin most of the time.
    ClientPoint PointIn(int i) {
        ClientPoint p;
        for (int tries = 0; tries < 40; ++tries) {
            p = {Below(PaneOf(i).Width()), Below(PaneOf(i).Height())};
            if ((i == 0 ? w.wnd->ModelView().PickAt(p) : w.wnd->SkinView().PickAt(p)) != NoTexel)
                break;
        }
        return p;
    }

    // A press with a random button and keys, a few moves, the release.
    void Stroke() {
        const int i = Below(2);
        Pane& pane = PaneOf(i);
        const bool left = Below(5) != 0;
        const unsigned button = left ? MK_LBUTTON : MK_RBUTTON;
        ClientPoint p = PointIn(i);
        const unsigned keys = (Below(5) == 0 ? MK_SHIFT : 0u) | (Below(12) == 0 ? MK_CONTROL : 0u);
        left ? pane.OnLButtonDown(p, button | keys) : pane.OnRButtonDown(p, button | keys);
        Settle();
        for (int moves = Below(6); moves > 0; --moves) {
            p = {p.x + Below(41) - 20, p.y + Below(41) - 20};
            pane.OnMouseMove(p, button);
            Settle();
        }
        left ? pane.OnLButtonUp(p, 0) : pane.OnRButtonUp(p, 0);
        w.frame.Drain();
        Settle();
    }

    void Step() {
        App& app = *w.app;
        const int pick = Below(100);
        if (pick < 50) return Stroke();
        if (pick < 58) return Command(CmdUndo);
        if (pick < 63) return Command(CmdRedo);
        if (pick < 68) return Command(CmdToolBrush + Below(5));
        if (pick < 72) return Command(CmdMirror);
        if (pick < 76) return Command(Below(3) == 0 ? CmdSwapDisplays : CmdMixMode + 2 * Below(2));
        // A setting or two changed, then the wheel turned in either view.
        if (pick < 80) app.ColourLocks[Below(256)] = Below(2);
        if (pick < 85) std::tie(app.BrushSize, app.BrushRound) = std::pair(1 + Below(16), Below(2));
        if (pick < 90) app.PaintColour = static_cast<uint8_t>(Below(256));
        const int i = Below(2);
        PaneOf(i).OnMouseWheel(PointIn(i), Below(2) == 0 ? 120 : -120, 0);
        Settle();
    }
    int Below(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }

    TestWindow w;
    std::vector<uint32_t> screen[2];
    std::mt19937 rng{GetParam()};
    int step = 0, checks = 0, partial = 0;
};

TEST_P(DirtyRefresh, EveryPaintRefreshEqualsTheWholeRecolourOnBothPanesAndScreens) {
    for (step = 0; step < 400 && !HasFatalFailure(); ++step) Step();
    EXPECT_GT(checks, 200);
    EXPECT_GT(partial, 200);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DirtyRefresh, ::testing::Values(1u, 2u, 3u));

// The pass over the picks that the recolour reads runs when the window is idle after a full
// render, not in the first paint event after it.
TEST_P(DirtyRefresh, AFullRenderIsIndexedOnceTheWindowIsIdle) {
    w.frame.timers.clear();
    w.wnd->OnRefresh(Refresh::Everything);
    EXPECT_EQ(w.frame.timers, (std::map<int, int>{{MainWnd::TexelIndexTimer, 0}}));
    EXPECT_FALSE(w.wnd->ModelView().TexelIndexReady());
    w.wnd->OnTimer(MainWnd::TexelIndexTimer);
    EXPECT_TRUE(w.wnd->ModelView().TexelIndexReady());
    EXPECT_TRUE(w.frame.timers.empty());
}

}  // namespace
}  // namespace varp::test
