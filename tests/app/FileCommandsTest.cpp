// File menu commands through the main window: open with the save question, save, save under
// the base folder only, base folder change.
#include <gtest/gtest.h>

#include "frame/Commands.h"
#include "support/TestWindow.h"

namespace varp {
namespace {

using Texts = std::vector<std::string>;

class FileCommands : public ::testing::Test, public test::TestWindow {
  protected:
    FileCommands() {
        test::TestModel other = test::SquareModel();
        other.triangles.pop_back();
        dir.Write("b/tris.md2", test::MakeMd2(other));
        sys.defaultAnswer = Answer::No;  // the no-skins question
        Open(test::SquareModel(), "a");
        sys.messages.clear();
        sys.messageButtons.clear();
    }
    const std::string base = dir.SystemPath(), model = base + "\\a\\tris.md2";
};

TEST_F(FileCommands, OpenAsksWhetherToSaveFirstAndCancelKeepsEverything) {
    const std::vector<uint8_t> before = test::ReadFileBytes(dir.Path() + "/a/tris.md2");
    app->Triangles[0].Vertex[0] = 3;
    app->ModelRevision = app->NewRevision();
    sys.fileDialogResults = {base + "\\b\\tris.md2", base + "\\b\\none.md2", base + "\\b\\tris"};
    sys.answers = {Answer::Cancel, Answer::Discard, Answer::Save};
    wnd->OnCommand(CmdFileOpen);
    EXPECT_EQ(frame.posted, std::deque<int>{1});  // the views are refreshed all the same
    const std::string question = "These changes are not saved:\n    the model " + dir.Path() +
                                 "/a/tris.md2\nSave them before going on?";
    EXPECT_EQ(sys.messages, Texts{question});
    EXPECT_EQ(sys.messageButtons[0], Buttons::SaveDiscardCancel);
    EXPECT_EQ(sys.fileDialogs[0].Filter, "Quake2 Model (*.md2)|*.md2|All Files (*.*)|*.*||");
    // Discard lets the open go on; the missing file is refused and the model stays.
    Command(CmdFileOpen);
    EXPECT_EQ(sys.messages[2], "There was an error loading the specified file!");
    EXPECT_EQ(app->NumTriangles, 2);
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/a/tris.md2"), before);

    // Save writes the model in use, then reads the chosen one (the extension added).
    Command(CmdFileOpen);
    EXPECT_NE(test::ReadFileBytes(dir.Path() + "/a/tris.md2"), before);
    EXPECT_EQ(app->NumTriangles, 1);
    EXPECT_EQ(app->CurrentFile, base + "\\b\\tris.md2");
    EXPECT_EQ(sys.settings["Project/CurFile"], base + "\\b\\tris.md2");
}

TEST_F(FileCommands, SaveAsWritesOnlyUnderTheBaseFolderComparedLetterForLetter) {
    std::string upper = base;
    upper[upper.find("varp")] = 'V';
    sys.fileDialogResults = {upper + "\\x.md2", base + "extra\\x.md2", base, base + "\\a\\copy",
                             base + "\\nowhere\\x.md2"};
    for (int i = 0; i < 5; ++i) Command(CmdFileSaveAs);
    const char* refusal = "Error: You need to save it under your base folder...=]";
    EXPECT_EQ(sys.messages, (Texts{refusal, refusal, refusal, "Error Saving:3",
                                   "An error occured while attempting to save!"}));
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/a/copy.md2"),
              test::ReadFileBytes(dir.Path() + "/a/tris.md2"));
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(sys.fileDialogs[0].Filter, "Quake2 MD2 (*.md2)|*.md2|All Files (*.*)|*.*||");
    EXPECT_TRUE(sys.fileDialogs[0].Save);

    sys.messages.clear();
    app->CurrentFile = base + "\\nowhere\\tris.md2";
    Command(CmdFileSave);
    EXPECT_EQ(sys.messages, (Texts{"Error Saving:3", "An error occured while trying to save =["}));
}

TEST_F(FileCommands, BaseFolderChangesOnlyTheSetting) {
    sys.folderResults = {std::nullopt, base + "\\gone", base + "\\b"};
    for (int i = 0; i < 3; ++i) Command(CmdBaseFolder);
    EXPECT_EQ(sys.messages, (Texts{"That folder is not valid", "That folder is not valid",
                                   "You must restart Varp before the change will take effect."}));
    EXPECT_EQ(sys.settings["Project/BaseDir"], base + "\\b");
    EXPECT_EQ(app->BaseFolder, base);
}

}  // namespace
}  // namespace varp
