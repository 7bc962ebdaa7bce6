// The main window's logic: pixel layout, swapping, the refresh hub, modes, selection changes,
// the quit question.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "frame/Commands.h"
#include "support/TestWindow.h"

namespace varp {
namespace {

class MainWndTest : public ::testing::Test, public test::TestWindow {
  protected:
    MainWndTest() {
        test::TestModel m = test::SquareModel();
        m.skins = {"sq\\skin.pcx"};
        m.frames.push_back(m.frames[0]);
        m.frames[1].name = "base02";
        Open(m, "sq");
    }
};

TEST_F(MainWndTest, AnEightHundredPixelClientAreaFollowsTheFixedRulesAndSwapsBack) {
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ(frame.entries[FrameSelectorId],
              (std::vector<std::string>{"base01  (base 1/2)", "base02  (base 2/2)"}));
    EXPECT_EQ(frame.entries[SkinSelectorId], std::vector<std::string>{"  sq/skin.pcx"});
    wnd->LayoutPanes();
    EXPECT_EQ(frame.recalcs, 1);
    EXPECT_EQ(frame.placed[Child::SkinSelector], (Rect{0, 29, 608, 229}));
    EXPECT_EQ(frame.placed[Child::FrameSelector], (Rect{608, 29, 800, 229}));
    // Selectors are 21 pixels high when closed: everything below starts at row 50.
    const Rect mainArea{0, 50, 608, 600}, sideArea{608, 242, 800, 600};
    EXPECT_EQ(frame.placed[Child::SkinView], mainArea);
    EXPECT_EQ(frame.placed[Child::ModelView], sideArea);
    EXPECT_EQ(frame.placed[Child::PaletteView], (Rect{608, 50, 800, 242}));
    EXPECT_EQ(wnd->PaneOf(Child::ModelView).Height(), 358);
    EXPECT_EQ(frame.posted, std::deque<int>{1});  // the layout ends by refreshing every view
    EXPECT_EQ(frame.RedrawsOf(Child::PaletteView), 1);

    frame.Drain();
    wnd->OnCommand(CmdSwapDisplays);
    EXPECT_EQ(frame.placed[Child::ModelView], mainArea);
    EXPECT_EQ(frame.placed[Child::SkinView], sideArea);
    EXPECT_EQ(frame.posted, std::deque<int>{1});
    wnd->OnCommand(CmdSwapDisplays);
    EXPECT_EQ(frame.placed[Child::SkinView], mainArea);
    EXPECT_EQ(wnd->SideArea, sideArea);
}

TEST_F(MainWndTest, TheRefreshHubAndTheSelectorsRedrawOnlyWhatEachChangeConcerns) {
    for (Refresh kind :
         {Refresh::TexelsPainted, Refresh::Everything, Refresh::Background, Refresh::Selection})
        EXPECT_EQ(wnd->OnRefresh(kind), 0);
    EXPECT_EQ(frame.RedrawsOf(Child::ModelView), 4);
    EXPECT_EQ(frame.RedrawsOf(Child::SkinView), 4);
    frame.redraws.clear();
    wnd->OnRefresh(Refresh::PaintColour);
    EXPECT_EQ(frame.redraws, std::vector<Child>{Child::PaletteView});

    frame.redraws.clear();
    wnd->OnFrameSelectionChange(1);
    EXPECT_EQ(app->CurrentFrame, app->Frames[1].get());
    EXPECT_EQ(frame.posted, std::deque<int>{1});
    EXPECT_TRUE(frame.redraws.empty());
    app->Skins.push_back(std::make_unique<SkinImage>(*app->Skins[0]));
    wnd->OnSkinSelectionChange(1);
    EXPECT_EQ(app->CurrentSkin, app->Skins[1].get());
    EXPECT_EQ(frame.posted, (std::deque<int>{1, 1}));
    EXPECT_EQ(frame.redraws, std::vector<Child>{Child::PaletteView});
}

TEST_F(MainWndTest, ModeCommandsSetTheModeOnceAndMarkIt) {
    auto marked = [&] {
        std::vector<int> ids;
        for (int id : {CmdMixMode, CmdCameraMode, CmdPaintMode, CmdMappingMode}) {
            if (wnd->IsChecked(id)) ids.push_back(id);
        }
        return ids;
    };
    EXPECT_EQ(marked(), std::vector<int>{CmdMixMode});
    wnd->OnCommand(CmdPaintMode);
    wnd->OnCommand(CmdPaintMode);
    EXPECT_EQ(frame.posted, std::deque<int>{1});
    EXPECT_EQ(frame.commandStateUpdates, 1);
    const std::pair<int, int> modes[] = {{CmdPaintMode, ModePaint},
                                         {CmdCameraMode, ModeCamera},
                                         {CmdMappingMode, ModeMapping},
                                         {CmdMixMode, ModeMix}};
    for (const auto& [id, mode] : modes) {
        wnd->OnCommand(id);
        EXPECT_EQ(app->Mode, mode);
        EXPECT_EQ(marked(), std::vector<int>{id});
    }
}

TEST_F(MainWndTest, AKeyPressedDuringAMappingDragEndsTheDragBeforeTheCommand) {
    Command(CmdMappingMode);
    Pane& skinView = wnd->PaneOf(Child::SkinView);
    // The skin view starts centred on texel (50, 50) at three pixels a texel: texel (0, 0) of
    // the 8 x 8 skin lies 150 pixels up and left of the middle of the 608 x 550 pane.
    skinView.OnLButtonDown({304 - 150 + 1, 275 - 150 + 1}, MK_LBUTTON);
    skinView.OnMouseMove({304 - 150 + 16, 275 - 150 + 13}, MK_LBUTTON);
    ASSERT_TRUE(skinHost.capture);
    EXPECT_EQ(app->Triangles[0].TexCoord[0], app->NumTexCoords);  // on the drag slot
    wnd->OnCommand(CmdFileSave);
    EXPECT_FALSE(skinHost.capture);
    EXPECT_TRUE(sys.messages.empty());
    auto back = std::make_unique<App>(sys);
    back->BaseFolder = dir.SystemPath();
    ASSERT_EQ(LoadModel(*back, "sq\\tris.md2"), 1);
    EXPECT_EQ(back->Triangles[0].CornerST[0], (SkinCoord{5, 4}));
    EXPECT_EQ(back->Triangles[1].CornerST[0], (SkinCoord{5, 4}));  // no selection: both follow
    EXPECT_EQ(app->Triangles[0].Flags, 0u);
}

TEST_F(MainWndTest, MappingCommandsChangeOnlyTheSelectionBitAndUnsavedWorkIsAskedAboutOnQuit) {
    app->Triangles[0].Flags = Grabbed;
    const std::pair<int, std::vector<uint32_t>> steps[] = {
        {CmdSelectAll, {Grabbed | Selected, Selected}},
        {CmdInvertSelection, {Grabbed, 0}},
        {CmdInvertSelection, {Grabbed | Selected, Selected}},
        {CmdSelectNone, {Grabbed, 0}},
    };
    for (const auto& [id, flags] : steps) {
        wnd->OnCommand(id);
        EXPECT_EQ((std::vector<uint32_t>{app->Triangles[0].Flags, app->Triangles[1].Flags}), flags);
    }
    EXPECT_EQ(frame.posted.size(), 4u);

    // Selections are not unsaved work: nothing is asked until a texel changes.
    sys.answers = {Answer::Cancel, Answer::Discard};
    wnd->OnCommand(CmdExit);
    EXPECT_TRUE(frame.closed);
    EXPECT_TRUE(sys.messages.empty());
    frame.closed = false;
    app->Skins[0]->Pixels[0] ^= 1;
    app->Skins[0]->Revision = app->NewRevision();
    wnd->OnCommand(CmdExit);
    EXPECT_FALSE(frame.closed);
    wnd->OnClose();
    EXPECT_TRUE(frame.closed);
    const std::string question =
        "These changes are not saved:\n    the skin sq/skin.pcx\nSave them before going on?";
    EXPECT_EQ(sys.messages, std::vector<std::string>(2, question));
    EXPECT_EQ(sys.messageButtons, std::vector<Buttons>(2, Buttons::SaveDiscardCancel));
}

TEST_F(MainWndTest, TheStatusBarShowsTheTexelUnderTheMouseAndTheTool) {
    // Texel (s, t) of the 8 x 8 skin holds s + 3 t; entry i is (i, 255 - i, i / 2).
    Pane& skinView = wnd->PaneOf(Child::SkinView);
    const ClientPoint texel21{304 - 150 + 7, 275 - 150 + 4};
    const auto cursor = [&] { return frame.status[StatusField::Cursor]; };
    const auto tool = [&] { return frame.status[StatusField::Tool]; };
    EXPECT_EQ(tool(), "Brush, size 1, square");
    skinView.OnMouseMove(texel21, 0);
    EXPECT_EQ(cursor(), "Texel 2, 1   Colour 5 (5, 250, 2)");
    skinView.OnMouseLeave();
    EXPECT_EQ(cursor(), "");
    const struct {
        int command;
        const char* shown;
    } steps[] = {{CmdBrushLarger, "Brush, size 2, square"},
                 {CmdBrushRound, "Brush, size 2, round"},
                 {CmdBrushSmaller, "Brush, size 1, round"},
                 {CmdMirror, "Brush, size 1, round, mirrored"},
                 {CmdToolFill, "Flood Fill, mirrored"},
                 {CmdInSelection, "Flood Fill, inside selected triangles, mirrored"},
                 {CmdToolReplace, "Replace Colour, inside selected triangles"},
                 {CmdToolShade, "Shade, size 1, round, mirrored"}};
    for (const auto& step : steps) {
        Command(step.command);
        EXPECT_EQ(tool(), step.shown) << step.command;
    }
    // Mirrored, a new paint colour redraws the axis too: it takes the entry farthest from it.
    frame.redraws.clear();
    wnd->OnRefresh(Refresh::PaintColour);
    EXPECT_EQ(frame.redraws,
              (std::vector<Child>{Child::PaletteView, Child::ModelView, Child::SkinView}));
    for (int i = 0; i < 20; ++i) Command(CmdBrushLarger);
    EXPECT_EQ(app->BrushSize, 16);
    // In Mapping mode the triangle under the mouse too (triangle 0 holds texel (2, 1)).
    Command(CmdMappingMode);
    skinView.OnMouseMove(texel21, 0);
    EXPECT_EQ(cursor(), "Texel 2, 1   Colour 5 (5, 250, 2)   Triangle 0");
}

TEST_F(MainWndTest, TheSideColumnsWidthAndTheSwapAreKeptForTheNextRun) {
    wnd->SetColumnWidth(300);
    EXPECT_EQ(frame.placed[Child::FrameSelector], (Rect{500, 29, 800, 229}));
    EXPECT_EQ(wnd->PaletteArea, (Rect{500, 50, 692, 242}));  // the palette keeps its size
    wnd->SetColumnWidth(10000);                              // the main pane keeps its least width
    EXPECT_EQ(wnd->ColumnWidth, 800 - MainWnd::MinColumnWidth);
    wnd->SetColumnWidth(400);
    Command(CmdSwapDisplays);
    sys.answers = {Answer::Yes};
    wnd->OnClose();
    EXPECT_EQ(sys.settings["Layout/ColumnWidth"], "400");
    EXPECT_EQ(sys.settings["Layout/SkinViewMain"], "0");
    wnd.reset();
    Open(test::SquareModel(), "sq");
    EXPECT_EQ(wnd->ColumnWidth, 400);
    EXPECT_EQ(wnd->SkinViewMain, 0);
    EXPECT_EQ(frame.placed[Child::ModelView], (Rect{0, 50, 400, 600}));
}

}  // namespace
}  // namespace varp
