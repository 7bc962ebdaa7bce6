// A paint refresh recolours only the pixels that show the texels it changed, and the window shows
// only their rectangles. Random use of a real main window on the demo model (every tool, brush
// sizes, protected colours, both views, Paint and Mix modes, the mirror, camera and view moves,
// undo and redo): after every event that painted, both large panes hold what a whole recolour
// makes of them, and the images blitted from the rectangles the window was asked to show hold
// what a whole blit gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "frame/Commands.h"
#include "sample/Sample.h"
#include "support/TestWindow.h"
#include "views/Blit.h"

namespace varp::test {
namespace {

constexpr unsigned L = MK_LBUTTON, R = MK_RBUTTON;

// What the window shows of a pane: a 32-bit image, blitted where the redraws asked.
struct Screen {
    std::vector<uint32_t> image;
    int width = -1, height = -1;

    void Show(const App& app, const Pane& pane, Rect r) {
        if (pane.Width() != width || pane.Height() != height) {
            width = pane.Width();
            height = pane.Height();
            image.assign(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0), 0);
            r = {0, 0, width, height};
        }
        r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
             std::min(r.bottom, height)};
        if (r.right <= r.left || r.bottom <= r.top) return;
        uint32_t table[256];
        PaneColourTable(app, table);
        BlitPane(pane.Pixels(), width, height, table, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, image.data() + static_cast<size_t>(r.top) * width + r.left,
                 width);
    }
};

template <typename T>
long Differences(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return -1;
    long n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

class DirtyRefresh : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override {
        ASSERT_EQ(sample::WriteSampleBaseFolder(w.dir.Path() + "/base", nullptr), 1);
        w.frame.clientWidth = 640;
        w.frame.clientHeight = 480;
        const std::string base = w.dir.SystemPath() + "\\base";
        w.OpenAt(base, base + "\\models\\demo\\tris.md2");
        ASSERT_NE(w.app->CurrentSkin, nullptr);
        w.modelHost.redraws = w.skinHost.redraws = 1;  // the window shows both from the start
        Settle(false);
    }

    Pane& PaneOf(int i) { return w.wnd->PaneOf(i == 0 ? Child::ModelView : Child::SkinView); }

    // Shows what the event asked to be shown; after a paint refresh (or when `painted`),
    // checks both panes against a whole recolour and the screens against a whole blit.
    void Settle(bool painted) {
        for (FakePaneHost* h : {&w.modelHost, &w.skinHost}) {
            painted |= std::count(h->sent.begin(), h->sent.end(), 0) > 0;
            h->sent.clear();
        }
        for (int i = 0; i < 2; ++i) {
            const Child child = i == 0 ? Child::ModelView : Child::SkinView;
            FakePaneHost& host = i == 0 ? w.modelHost : w.skinHost;
            const long parts = std::count_if(w.frame.areas.begin(), w.frame.areas.end(),
                                             [&](const auto& a) { return a.first == child; });
            const Pane& pane = PaneOf(i);
            if (w.frame.RedrawsOf(child) > parts || host.redraws > 0) {
                screens[i].Show(*w.app, pane, {0, 0, pane.Width(), pane.Height()});
            } else {
                for (const auto& [c, area] : w.frame.areas) {
                    if (c != child) continue;
                    screens[i].Show(*w.app, pane, area);
                    partial += area != Rect{0, 0, pane.Width(), pane.Height()};
                }
            }
            host.redraws = 0;
        }
        w.frame.redraws.clear();
        w.frame.areas.clear();
        if (painted) {
            ++checks;
            const std::vector<uint8_t> iso = w.wnd->ModelView().PixelBuffer;
            const std::vector<uint8_t> flat = w.wnd->SkinView().PixelBuffer;
            w.wnd->ModelView().Render(IsoBox::Kind::Recolour);
            w.wnd->SkinView().Render(SkinBox::Kind::Recolour);
            ASSERT_EQ(Differences(iso, w.wnd->ModelView().PixelBuffer), 0) << step;
            ASSERT_EQ(Differences(flat, w.wnd->SkinView().PixelBuffer), 0) << step;
        }
        for (int i = 0; i < 2; ++i) {
            Screen whole;
            const Pane& pane = PaneOf(i);
            whole.Show(*w.app, pane, {0, 0, pane.Width(), pane.Height()});
            ASSERT_EQ(Differences(screens[i].image, whole.image), 0) << step << " pane " << i;
        }
    }

    // A command; an undo or redo that took a step back or made it again is checked as a paint.
    void Command(int id) {
        const size_t undoable = w.app->Edits.UndoCount();
        w.wnd->OnCommand(id);
        w.frame.Drain();
        Settle(w.app->Edits.UndoCount() != undoable);
    }

    // A point of the pane: on the model or the skin most of the time.
    ClientPoint PointIn(Pane& pane) {
        ClientPoint p;
        for (int tries = 0; tries < 40; ++tries) {
            p = {Below(pane.Width()), Below(pane.Height())};
            const uint32_t pick =
                &pane == &PaneOf(0) ? w.wnd->ModelView().PickAt(p) : w.wnd->SkinView().PickAt(p);
            if (pick != 0xFFFFFFFFu) break;
        }
        return p;
    }

    // A press, a few moves and the release, with a random button and keys.
    void Stroke() {
        Pane& pane = PaneOf(Below(2));
        const bool left = Below(5) != 0;
        const unsigned button = left ? L : R;
        const unsigned keys = (Below(5) == 0 ? MK_SHIFT : 0u) | (Below(12) == 0 ? MK_CONTROL : 0u);
        ClientPoint p = PointIn(pane);
        left ? pane.OnLButtonDown(p, button | keys) : pane.OnRButtonDown(p, button | keys);
        Settle(false);
        for (int moves = Below(6); moves > 0; --moves) {
            p = {p.x + Below(41) - 20, p.y + Below(41) - 20};
            pane.OnMouseMove(p, button);
            Settle(false);
        }
        left ? pane.OnLButtonUp(p, 0) : pane.OnRButtonUp(p, 0);
        w.frame.Drain();
        Settle(false);
    }

    void Step() {
        App& app = *w.app;
        const int pick = Below(100);
        if (pick < 50) {
            Stroke();
        } else if (pick < 58) {
            Command(CmdUndo);
        } else if (pick < 63) {
            Command(CmdRedo);
        } else if (pick < 68) {
            Command(CmdToolBrush + Below(5));
        } else if (pick < 72) {
            app.BrushSize = 1 + Below(16);
            app.BrushRound = Below(2);
        } else if (pick < 75) {
            std::fill(std::begin(app.ColourLocks), std::end(app.ColourLocks), 0);
            for (int i = 0; i < 3; ++i) app.ColourLocks[Below(256)] = 1;
        } else if (pick < 78) {
            app.PaintColour = static_cast<uint8_t>(Below(256));
        } else if (pick < 82) {
            Command(Below(2) == 0 ? CmdMixMode : CmdPaintMode);
        } else if (pick < 85) {
            Command(CmdMirror);
        } else if (pick < 91) {
            Pane& pane = PaneOf(Below(2));
            pane.OnMouseWheel(PointIn(pane), (Below(2) == 0 ? 120 : -120), 0);
            Settle(false);
        } else if (pick < 93) {
            Command(CmdSwapDisplays);
        } else {
            Command(CmdInSelection);
        }
    }

    int Below(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }

    TestWindow w;
    Screen screens[2];
    std::mt19937 rng{GetParam()};
    int step = 0;
    int checks = 0;
    int partial = 0;
};

TEST_P(DirtyRefresh, EveryPaintRefreshEqualsTheWholeRecolourOnBothPanesAndScreens) {
    for (step = 0; step < 400 && !HasFatalFailure(); ++step) Step();
    EXPECT_GT(checks, 300);
    EXPECT_GT(partial, 300);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DirtyRefresh, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace varp::test
