// A randomised soak of the editor without a window: seeded runs of what a user does to the
// three panes and the main window, with the Workspace invariants and the pictures checked after
// every step. A test run takes 2000 steps over two seeds, with all commands and with a painter's;
// VARP_SOAK_STEPS sets the length (make soak runs millions), VARP_SOAK_SEED runs that one seed
// alone, so a failure replays as reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <span>
#include <tuple>
#include <utility>

#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "frame/Commands.h"
#include "platform/Paths.h"
#include "sample/Sample.h"
#include "skins/SkinFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestWindow.h"
#include "support/WorkspaceInvariants.h"
#include "views/Blit.h"
#include "views/iso/IsoBox.h"
#include "views/skin/SkinBox.h"

namespace varp {
namespace {

long EnvOr(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::strtol(v, nullptr, 10) : fallback;
}

// The last nine are a painter's: no mode or skin change that leaves nothing to paint.
const int Commands[] = {
    CmdCameraMode,   CmdMappingMode, CmdSkinNew,    CmdSkinOpen,        CmdSkinClose,
    CmdSkinSave,     CmdSkinSaveAs,  CmdSkinLink,   CmdSkinUnlink,      CmdSkinMoveUp,
    CmdSkinMoveDown, CmdSkinStore,   CmdSkinRevert, CmdSkinReload,      CmdScanFolder,
    CmdSelectAll,    CmdSelectNone,  CmdFileSave,   CmdInvertSelection, CmdFileSaveAs,
    CmdSwapDisplays, CmdMixMode,     CmdPaintMode,  CmdToolBrush,       CmdToolLine,
    CmdToolFill,     CmdToolReplace, CmdToolShade,  CmdMirror};

class Soak {
  public:
    // The demo base folder, opened the way the program opens its last model at start-up.
    Soak(uint32_t seed, std::span<const int> commands) : rng_(seed), commands_(commands) {
        sample::WriteSampleBaseFolder(w_.dir.Path() + "/base", nullptr);
        base_ = w_.dir.SystemPath() + "\\base";
        w_.frame.clientWidth = 420;
        w_.frame.clientHeight = 330;
        w_.OpenAt(base_, base_ + "\\models\\demo\\tris.md2");
        w_.wnd->LayoutPanes();
        w_.frame.Drain();
    }

    // One user action: mostly the mouse, then commands (with their dialogs answered), frame
    // and skin selections, resizes, and the refreshes the window system delivers.
    void Step() {
        w_.sys.answers.clear();
        w_.sys.fileDialogResults.clear();
        w_.sys.folderResults.clear();
        w_.sys.defaultAnswer = Pick(2) ? Answer::Yes : Answer::No;
        const int r = Pick(100);
        if (r < 30) {
            Mouse();
        } else if (r < 55) {
            Stroke();
        } else if (r < 60) {
            w_.wnd->OnCommand(Pick(3) ? CmdUndo : CmdRedo);
        } else if (r == 60 && Pick(4) == 0) {
            // Random drags wander off the model and the skin; a user would bring them back.
            w_.wnd->SkinView().FitView();
            w_.wnd->ModelView().FitView();
        } else if (r < 62) {
            w_.frame.clientWidth = Pick(10) == 0 ? 0 : 200 + Pick(500);
            w_.frame.clientHeight = Pick(10) == 0 ? 0 : 150 + Pick(400);
            w_.wnd->LayoutPanes();
        } else if (r < 66) {
            w_.wnd->OnFrameSelectionChange(Pick(static_cast<int>(w_.app->Frames.size())));
        } else if (r < 69 && !w_.app->Skins.empty()) {
            w_.wnd->OnSkinSelectionChange(Pick(static_cast<int>(w_.app->Skins.size())));
        } else if (r < 77) {
            App& app = *w_.app;
            app.ColourLocks[Pick(256)] = Pick(8) == 0;
            std::tie(app.BrushSize, app.BrushRound) = std::pair(1 + Pick(16), Pick(2));
            app.PaintColour = static_cast<uint8_t>(Pick(256));
            w_.wnd->OnRefresh(Refresh::PaintColour);  // as the palette tells it
        } else if (r < 90) {
            ScriptDialogs();
            // New, Open and the folder scan add skins faster than Close takes them away; a user
            // closes some when the list grows long, which keeps the cost of a step flat.
            w_.wnd->OnCommand(w_.app->Skins.size() > 12 && Pick(2) == 0
                                  ? CmdSkinClose
                                  : commands_[Pick(static_cast<int>(commands_.size()))]);
        } else {
            w_.frame.Drain();
        }
    }

    void Check() {
        const auto& skin = static_cast<const SkinBox&>(w_.wnd->PaneOf(Child::SkinView));
        const auto& iso = static_cast<const IsoBox&>(w_.wnd->PaneOf(Child::ModelView));
        EXPECT_EQ(test::BrokenInvariant(*w_.app, skin.DragState == SkinBox::Drag::MovePoint), "");
        // Once the refreshes are handled, the 3D view's pick entries mean what the mode says.
        if (w_.frame.posted.empty() && iso.DragState == IsoBox::Drag::Idle &&
            w_.app->CurrentSkin != nullptr && w_.app->CurrentFrame != nullptr && iso.Width() > 0 &&
            iso.Height() > 0) {
            EXPECT_EQ(iso.PickHolds(), w_.app->Mode == ModeMapping
                                           ? IsoBox::PickMeaning::TriangleIndices
                                           : IsoBox::PickMeaning::TexelOffsets);
        }
        for (const std::string& path : w_.sys.committed) CheckWritten(path);
        w_.sys.committed.clear();
        CheckPictures();
    }

  private:
    // Each large pane's picture as the window keeps it (the rectangles it was asked to show, the
    // 3D view's tall ones blitted over its threads): once the posted refreshes are handled, it
    // must equal one plain blit, and each pane what a whole recolour makes of it.
    void CheckPictures() {
        uint32_t table[256];
        PaneColourTable(*w_.app, table);
        const bool settled = w_.frame.posted.empty();
        for (int i = 0; i < 2; ++i) {
            const Child child = i == 0 ? Child::ModelView : Child::SkinView;
            test::FakePaneHost& host = *w_.frame.hosts[child];
            Pane& pane = *host.pane;
            const Rect whole{0, 0, pane.Width(), pane.Height()};
            long parts = 0;
            for (const auto& [c, r] : w_.frame.areas) parts += c == child;
            // A resize, or a redraw of the whole pane, shows it whole.
            const bool all = (std::exchange(shown_[i], whole) != whole) |
                             (std::exchange(host.redraws, 0) > 0) |
                             (w_.frame.RedrawsOf(child) > parts);
            screen_[i].resize(static_cast<size_t>(whole.right) * whole.bottom);
            for (const auto& [c, r] :
                 all ? decltype(w_.frame.areas){{child, whole}} : w_.frame.areas) {
                if (c == child)
                    pane.BlitArea(table, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  &screen_[i][r.top * whole.right + r.left], whole.right);
            }
            std::vector<uint32_t> plain(screen_[i].size());
            pane.Pane::BlitArea(table, 0, 0, whole.right, whole.bottom, plain.data(), whole.right);
            ASSERT_TRUE(!settled || plain == screen_[i]) << "pane " << i;
        }
        if (settled) {
            const auto pictures = [&] {
                return std::pair(w_.wnd->ModelView().PixelBuffer, w_.wnd->SkinView().PixelBuffer);
            };
            const auto before = pictures();
            w_.wnd->OnRefresh(Refresh::TexelsPainted);  // no texels named: a whole recolour
            ASSERT_TRUE(before == pictures());
        }
        w_.frame.areas.clear();
        w_.frame.redraws.clear();
    }

    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

    // A file written in this step reads back to what is in memory. Any name can hold either
    // kind of file: the content tells which was written.
    void CheckWritten(const std::string& path) {
        test::ScriptedPlatform quiet;
        const std::vector<uint8_t> head = test::ReadFileBytes(ToOsForm(path));
        if (head.size() < 4 || !std::equal(head.begin(), head.begin() + 4, "IDP2")) {
            // Skins are saved from the current skin, which the save leaves current.
            ASSERT_NE(w_.app->CurrentSkin, nullptr);
            const std::unique_ptr<SkinImage> back = LoadSkinFile(quiet, path);
            ASSERT_TRUE(back) << path;
            EXPECT_EQ(back->Pixels, w_.app->CurrentSkin->Pixels) << path;
            EXPECT_EQ(back->Palette, w_.app->CurrentSkin->Palette) << path;
            return;
        }
        const auto back = std::make_unique<App>(quiet);
        back->BaseFolder = base_;
        ASSERT_EQ(LoadModel(*back, path), 1) << path;
        EXPECT_EQ(back->NumTexCoords, w_.app->NumTexCoords);
        EXPECT_EQ(back->Frames.size(), w_.app->Frames.size());
        ASSERT_EQ(back->NumTriangles, w_.app->NumTriangles);
        for (int i = 0; i < w_.app->NumTriangles; ++i) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(back->Triangles[i].CornerST[k], w_.app->Triangles[i].CornerST[k]);
                EXPECT_EQ(back->Triangles[i].Vertex[k], w_.app->Triangles[i].Vertex[k]);
            }
        }
        std::vector<std::string> linked, names;
        for (const auto& s : w_.app->Skins) {
            // Written with '/', whatever the program keeps.
            std::string name = s->Name;
            std::replace(name.begin(), name.end(), '\\', '/');
            if ((s->Flags & Unlinked) == 0) linked.push_back(name);
        }
        for (const auto& s : back->Skins) names.push_back(s->Name);
        EXPECT_EQ(names, linked);
    }

    // Presses, moves, releases and lost captures on a random pane, with random buttons and
    // modifiers, and the echo moves the cursor warps produce.
    void Mouse() {
        const int which = Pick(10);
        test::FakePaneHost& host = which < 4   ? w_.modelHost
                                   : which < 8 ? w_.skinHost
                                               : w_.paletteHost;
        Pane& pane = *host.pane;
        // Half the points near the middle, where the model and the skin are; the rest anywhere,
        // a little outside the pane included.
        ClientPoint p =
            Pick(2) ? ClientPoint{host.width / 2 + Pick(host.width / 3 + 1) - host.width / 6,
                                  host.height / 2 + Pick(host.height / 3 + 1) - host.height / 6}
                    : ClientPoint{Pick(host.width + 20) - 10, Pick(host.height + 20) - 10};
        // In Mapping mode, aim at a mapping point of the flat skin now and then, so that grabs
        // and drags of points happen as often as a user makes them.
        if (&host == &w_.skinHost && w_.app->Mode == ModeMapping && w_.app->NumTexCoords > 0 &&
            Pick(2)) {
            const auto& skin = static_cast<const SkinBox&>(pane);
            const SkinCoord c = w_.app->TexCoords[Pick(w_.app->NumTexCoords)];
            p = {static_cast<int>(float(skin.Width() / 2) + (c.s - skin.PanS + 0.5f) * skin.Zoom),
                 static_cast<int>(float(skin.Height() / 2) + (c.t - skin.PanT + 0.5f) * skin.Zoom)};
        }
        unsigned flags = 0;
        if (Pick(2)) flags |= MK_LBUTTON;
        if (Pick(3) == 0) flags |= MK_RBUTTON;
        if (Pick(3) == 0) flags |= MK_SHIFT;
        if (Pick(3) == 0) flags |= MK_CONTROL;
        const int action = Pick(20);
        if (action < 3) {
            pane.OnLButtonDown(p, flags | MK_LBUTTON);
        } else if (action < 5) {
            pane.OnRButtonDown(p, flags | MK_RBUTTON);
        } else if (action < 7) {
            pane.OnLButtonUp(p, flags & ~MK_LBUTTON);
        } else if (action < 9) {
            pane.OnRButtonUp(p, flags & ~MK_RBUTTON);
        } else if (action == 9 && host.capture) {
            host.capture = false;
            pane.OnCaptureChanged();
        } else {
            pane.OnMouseMove(p, flags);
            while (!host.warps.empty()) {  // the window system reports each warp as a move
                const ClientPoint w = host.warps.back();
                host.warps.clear();
                pane.OnMouseMove(w, flags);
            }
        }
    }

    // A press where the model or the skin shows a texel, a few moves with the button, the release.
    void Stroke() {
        const bool model = Pick(2);
        test::FakePaneHost& host = model ? w_.modelHost : w_.skinHost;
        ClientPoint p;
        for (int tries = 0; tries < 20; ++tries) {
            p = {Pick(host.width), Pick(host.height)};
            if ((model ? w_.wnd->ModelView().PickAt(p) : w_.wnd->SkinView().PickAt(p)) != NoTexel)
                break;
        }
        host.pane->OnLButtonDown(p, MK_LBUTTON | (Pick(6) ? 0 : MK_SHIFT));
        for (int moves = Pick(6); moves > 0; --moves) {
            p = {p.x + Pick(41) - 20, p.y + Pick(41) - 20};
            host.pane->OnMouseMove(p, MK_LBUTTON);
        }
        host.pane->OnLButtonUp(p, 0);
    }

    // Answers for whatever dialog the next command shows: paths inside and outside the base
    // folder, with and without an extension, and cancels.
    void ScriptDialogs() {
        const std::string demo = base_ + "\\models\\demo\\";
        const std::string names[] = {
            demo + "skin.pcx",
            demo + "soak" + std::to_string(Pick(3)),
            demo + "extras\\blue.pcx",
            demo + "extras\\small.pcx",
            w_.dir.SystemPath() + "\\outside" + std::to_string(Pick(2)) + ".pcx",
            demo + "copy.md2"};
        if (Pick(5) != 0) w_.sys.fileDialogResults.push_back(names[Pick(6)]);
        if (Pick(5) != 0) w_.sys.folderResults.push_back(demo + "extras");
    }

    std::mt19937 rng_;
    std::span<const int> commands_;
    test::TestWindow w_;
    std::string base_;
    std::vector<uint32_t> screen_[2];
    Rect shown_[2] = {};
};

TEST(Soak, RandomUseKeepsTheWorkspaceAndThePicturesWhole) {
    const long steps = EnvOr("VARP_SOAK_STEPS", 2000), only = EnvOr("VARP_SOAK_SEED", -1);
    const std::vector<long> seeds = only >= 0 ? std::vector<long>{only} : std::vector<long>{3, 4};
    const std::span<const int> all(Commands);
    for (const std::span<const int> commands : {all, all.last(9)}) {
        for (const long seed : seeds) {
            Soak soak(static_cast<uint32_t>(seed), commands);
            for (long i = 1; i <= steps / static_cast<long>(seeds.size()); ++i) {
                soak.Step();
                soak.Check();
                if (HasFailure())
                    FAIL() << "replay: VARP_SOAK_SEED=" << seed << " VARP_SOAK_STEPS=" << i;
            }
        }
    }
}

}  // namespace
}  // namespace varp
