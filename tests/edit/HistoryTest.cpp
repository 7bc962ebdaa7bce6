// The undo history: steps in order within a memory bound, and every kind of change the panes and
// the Skins menu make taken back and made again exactly, the unsaved mark following.
#include <gtest/gtest.h>

#include <functional>

#include "formats/Pcx.h"
#include "frame/Commands.h"
#include "support/TestWindow.h"

namespace varp {
namespace {

// Exchanges the paint colour with the one it holds, claiming `bytes` of memory.
class ColourStep : public EditStep {
  public:
    ColourStep(const char* label, uint8_t colour, size_t bytes)
        : EditStep(label), colour_(colour), bytes_(bytes) {}
    void Swap(Workspace& ws) override { std::swap(ws.PaintColour, colour_); }
    size_t Bytes() const override { return bytes_; }

  private:
    uint8_t colour_;
    size_t bytes_;
};

class HistoryOrder : public ::testing::Test {
  protected:
    void Change(const char* label, uint8_t colour, size_t bytes = 100) {
        edits.Push(std::make_unique<ColourStep>(label, ws->PaintColour, bytes));
        ws->PaintColour = colour;
    }
    uint8_t Undo() { return edits.Undo(*ws) != nullptr ? ws->PaintColour : 255; }
    uint8_t Redo() { return edits.Redo(*ws) != nullptr ? ws->PaintColour : 255; }
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    History edits;
};

TEST_F(HistoryOrder, UndoesNewestFirstRedoesInOrderAndANewChangeEndsTheRedo) {
    Change("A", 1);
    Change("B", 2);
    Change("C", 3);
    EXPECT_EQ(Undo(), 2);
    EXPECT_EQ(Undo(), 1);
    EXPECT_STREQ(edits.UndoLabel(), "A");
    EXPECT_STREQ(edits.RedoLabel(), "B");
    EXPECT_EQ(Redo(), 2);
    Change("D", 4);
    EXPECT_EQ(edits.RedoLabel(), nullptr);
    EXPECT_EQ(Redo(), 255);
    EXPECT_EQ(Undo(), 2);
    EXPECT_EQ(Undo(), 1);
    EXPECT_EQ(Undo(), 0);
    EXPECT_EQ(Undo(), 255);
    EXPECT_EQ(edits.Bytes(), 300u);
}

TEST_F(HistoryOrder, TheOldestStepsGoFirstButTheNewestStaysWhateverItsSize) {
    for (int i = 0; i < 10000; ++i) Change("Small", static_cast<uint8_t>(i % 200), 96);
    EXPECT_EQ(edits.UndoCount(), 10000u);
    edits.SetLimit(250);
    EXPECT_EQ(edits.UndoCount(), 2u);
    EXPECT_EQ(edits.Bytes(), 192u);
    Change("Big", 9, 1000);
    EXPECT_EQ(edits.UndoCount(), 1u);
    EXPECT_EQ(Undo(), 199);
    EXPECT_EQ(Undo(), 255);
}

// What a change may touch: the skin list with every skin's contents, and the mapping.
struct Snapshot {
    std::vector<std::string> names;
    std::vector<uint32_t> flags;
    std::vector<std::vector<uint8_t>> pixels, stored;
    std::vector<int> mapping;  // the coordinate table, then each corner's index and coordinates
    int current = -1;
    bool operator==(const Snapshot&) const = default;
};

class UndoEveryChange : public ::testing::Test, public test::TestWindow {
  protected:
    UndoEveryChange() {
        test::TestModel m = test::SquareModel();
        m.skins = {"sq/skin.pcx"};
        Open(m, "sq");
        sys.defaultAnswer = Answer::Discard;
        app->PaintColour = 200;
    }
    Snapshot Take() const {
        Snapshot s;
        for (const auto& skin : app->Skins) {
            s.names.push_back(skin->Name);
            s.flags.push_back(skin->Flags);
            s.pixels.push_back(skin->Pixels);
            s.stored.push_back(skin->StoredPixels);
        }
        for (int i = 0; i < app->NumTexCoords; ++i) {
            s.mapping.insert(s.mapping.end(), {app->TexCoords[i].s, app->TexCoords[i].t});
        }
        for (int i = 0; i < app->NumTriangles; ++i) {
            for (const int k : {0, 1, 2}) {
                const ModelTriangle& t = app->Triangles[i];
                s.mapping.insert(s.mapping.end(),
                                 {t.TexCoord[k], t.CornerST[k].s, t.CornerST[k].t});
            }
        }
        s.current = app->CurrentSkinIndex;
        return s;
    }
    // A left drag in the skin view from texel (s0, t0) to (s1, t1): the view starts centred on
    // texel (50, 50) at three pixels a texel, so texel (0, 0) lies at (154, 125).
    void Drag(int s0, int t0, int s1, int t1) {
        Pane& view = wnd->PaneOf(Child::SkinView);
        view.OnLButtonDown({155 + 3 * s0, 126 + 3 * t0}, MK_LBUTTON);
        view.OnMouseMove({155 + 3 * s1, 126 + 3 * t1}, MK_LBUTTON);
        view.OnLButtonUp({155 + 3 * s1, 126 + 3 * t1}, 0);
        frame.Drain();
    }
};

TEST_F(UndoEveryChange, EachStepTakesBackExactlyItsChangeAndRedoMakesItAgain) {
    const std::string savedTitle = wnd->Title();
    const struct {
        const char* label;
        std::function<void()> change;
    } changes[] = {
        {"Paint Stroke", [&] { Command(CmdPaintMode), Drag(1, 1, 3, 1); }},
        {"Store Skin", [&] { Command(CmdSkinStore); }},
        {"Paint Stroke", [&] { Drag(2, 5, 2, 6); }},
        {"Revert Skin", [&] { Command(CmdSkinRevert); }},
        {"Mapping Drag", [&] { Command(CmdMappingMode), Drag(0, 0, 5, 4); }},
        {"Reload Skin",
         [&] {
             const std::vector<uint8_t> threes(64, 3), palette(768, 0);
             dir.Write("sq/skin.pcx", EncodePcx(threes.data(), 8, 8, palette.data()));
             Command(CmdSkinReload);
         }},
        {"Unlink Skin", [&] { Command(CmdSkinUnlink); }},
        {"New Skin", [&] { Command(CmdSkinNew); }},
        // Linked skins come first: only now, both unlinked, can the new one move up.
        {"Move Skin Up", [&] { Command(CmdSkinMoveUp); }},
        {"Close Skin", [&] { Command(CmdSkinClose); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.label);
        const Snapshot before = Take();
        const std::string title = wnd->Title();
        c.change();
        const Snapshot after = Take();
        ASSERT_NE(after, before);
        EXPECT_EQ(wnd->MenuLabel(CmdUndo), std::string("&Undo ") + c.label + "\tCtrl+Z");
        EXPECT_EQ(wnd->Title().front(), '*');
        Command(CmdUndo);
        EXPECT_EQ(Take(), before);
        EXPECT_EQ(wnd->Title(), title);
        EXPECT_EQ(wnd->MenuLabel(CmdRedo), std::string("&Redo ") + c.label + "\tCtrl+Shift+Z");
        Command(CmdRedo);
        EXPECT_EQ(Take(), after);
    }
    // The first change was taken back to the saved state: its title had no mark.
    EXPECT_EQ(savedTitle, "tris.md2 - Varpkit v0.60");
}

// A drag that merges a point into another frees the table's last entry, where the next drag
// parks its point: taking both back must still give the freed point its place.
TEST_F(UndoEveryChange, TakingBackAMergeRestoresTheEntryALaterDragParkedIn) {
    Command(CmdMappingMode);
    const Snapshot before = Take();
    Drag(0, 7, 0, 0);
    ASSERT_EQ(app->NumTexCoords, 3);
    Drag(7, 0, 5, 1);
    Command(CmdUndo);
    Command(CmdUndo);
    EXPECT_EQ(Take(), before);
}

TEST_F(UndoEveryChange, AOneTexelStrokeCostsTensOfBytes) {
    Command(CmdPaintMode);
    Drag(4, 4, 4, 4);
    ASSERT_EQ(app->Edits.UndoCount(), 1u);
    EXPECT_LE(app->Edits.Bytes(), 128u);
    EXPECT_EQ(app->Skins[0]->Pixels[4 * 8 + 4], 200);
}

}  // namespace
}  // namespace varp
