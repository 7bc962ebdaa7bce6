// A randomised soak of the editor without a window: seeded runs of what a user does to the
// three panes and the main window, with the Workspace invariants checked after every step.
// A test run takes 1000 steps over two seeds; VARP_SOAK_STEPS sets the length (make soak runs
// millions), VARP_SOAK_SEED runs that one seed alone, so a failure replays as reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "frame/Commands.h"
#include "platform/Paths.h"
#include "sample/Sample.h"
#include "skins/SkinFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestWindow.h"
#include "support/WorkspaceInvariants.h"
#include "views/iso/IsoBox.h"
#include "views/skin/SkinBox.h"

namespace varp {
namespace {

long EnvOr(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::strtol(v, nullptr, 10) : fallback;
}

const int Commands[] = {CmdSwapDisplays,    CmdMixMode,      CmdPaintMode, CmdCameraMode,
                        CmdMappingMode,     CmdSkinNew,      CmdSkinOpen,  CmdSkinClose,
                        CmdSkinSave,        CmdSkinSaveAs,   CmdSkinLink,  CmdSkinUnlink,
                        CmdSkinMoveUp,      CmdSkinMoveDown, CmdSkinStore, CmdSkinRevert,
                        CmdSkinReload,      CmdScanFolder,   CmdSelectAll, CmdSelectNone,
                        CmdInvertSelection, CmdFileSave,     CmdFileSaveAs};

class Soak {
  public:
    // The demo base folder, opened the way the program opens its last model at start-up.
    explicit Soak(uint32_t seed) : rng_(seed) {
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
        if (r < 60) {
            Mouse();
        } else if (r == 60 && Pick(4) == 0) {
            // Random drags wander off the model and the skin; a user would bring them back.
            auto& skin = static_cast<SkinBox&>(w_.wnd->PaneOf(Child::SkinView));
            skin.PanS = skin.PanT = SkinBox::StartPan;
            skin.Zoom = SkinBox::StartZoom;
            static_cast<IsoBox&>(w_.wnd->PaneOf(Child::ModelView)).ViewCamera = Camera();
        } else if (r < 62) {
            w_.frame.clientWidth = Pick(10) == 0 ? 0 : 200 + Pick(500);
            w_.frame.clientHeight = Pick(10) == 0 ? 0 : 150 + Pick(400);
            w_.wnd->LayoutPanes();
        } else if (r < 66) {
            w_.wnd->OnFrameSelectionChange(Pick(static_cast<int>(w_.app->Frames.size())));
        } else if (r < 69 && !w_.app->Skins.empty()) {
            w_.wnd->OnSkinSelectionChange(Pick(static_cast<int>(w_.app->Skins.size())));
        } else if (r < 85) {
            ScriptDialogs();
            // New, Open and the folder scan add skins faster than Close takes them away; a user
            // closes some when the list grows long, which keeps the cost of a step flat.
            w_.wnd->OnCommand(w_.app->Skins.size() > 12 && Pick(2) == 0
                                  ? CmdSkinClose
                                  : Commands[Pick(static_cast<int>(std::size(Commands)))]);
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
    }

  private:
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
    test::TestWindow w_;
    std::string base_;
};

TEST(Soak, RandomUseKeepsTheWorkspaceWhole) {
    const long steps = EnvOr("VARP_SOAK_STEPS", 1000), only = EnvOr("VARP_SOAK_SEED", -1);
    const std::vector<long> seeds = only >= 0 ? std::vector<long>{only} : std::vector<long>{1, 2};
    for (const long seed : seeds) {
        Soak soak(static_cast<uint32_t>(seed));
        for (long i = 1; i <= steps / static_cast<long>(seeds.size()); ++i) {
            soak.Step();
            soak.Check();
            if (HasFailure())
                FAIL() << "replay: VARP_SOAK_SEED=" << seed << " VARP_SOAK_STEPS=" << i;
        }
    }
}

}  // namespace
}  // namespace varp
