// File menu commands: open with the save question, save, save under the base folder only,
// base folder change.
#include <gtest/gtest.h>

#include "commands/FileCommands.h"
#include "commands/ModelFiles.h"
#include "support/Md2Files.h"
#include "support/RecordingViewHub.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class FileCommands : public ::testing::Test {
  protected:
    FileCommands() : app(std::make_unique<App>(sys)) {
        app->Views = &hub;
        base = dir.SystemPath() + "\\base";
        dir.Write("base/a/tris.md2", test::MakeMd2(test::SquareModel()));
        test::TestModel other = test::SquareModel();
        other.triangles.pop_back();
        dir.Write("base/b/tris.md2", test::MakeMd2(other));
        app->BaseFolder = base;
        sys.answers = {Answer::No};  // the no-skins question
        app->CurrentFile = base + "\\a\\tris.md2";
        EXPECT_EQ(LoadModel(*app, app->CurrentFile), 1);
        sys.messages.clear();
        sys.messageButtons.clear();
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    test::RecordingViewHub hub;
    std::unique_ptr<App> app;
    std::string base;
};

TEST_F(FileCommands, OpenCancelledAtTheSaveQuestionChangesNothingButRefreshes) {
    sys.fileDialogResults = {base + "\\b\\tris.md2"};
    sys.answers = {Answer::Cancel};
    FileOpen(*app);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Save changes to the current Mesh?"});
    EXPECT_EQ(sys.messageButtons[0], Buttons::YesNoCancel);
    EXPECT_EQ(app->NumTriangles, 2);
    EXPECT_EQ(app->CurrentFile, base + "\\a\\tris.md2");
    EXPECT_EQ(sys.settings.count("Project/CurFile"), 0u);
    EXPECT_EQ(hub.refreshAll, 1);
    ASSERT_EQ(sys.fileDialogs.size(), 1u);
    EXPECT_EQ(sys.fileDialogs[0].Filter, "Quake2 Model (*.md2)|*.md2|All Files (*.*)|*.*||");
}

TEST_F(FileCommands, OpenWithYesSavesTheCurrentModelThenReadsTheChosenOne) {
    const std::vector<uint8_t> before = test::ReadFileBytes(dir.Path() + "/base/a/tris.md2");
    sys.fileDialogResults = {base + "\\b\\tris"};  // no dot: the extension is added
    sys.answers = {Answer::Yes, Answer::No};
    FileOpen(*app);
    EXPECT_EQ(app->NumTriangles, 1);
    EXPECT_EQ(app->CurrentFile, base + "\\b\\tris.md2");
    EXPECT_EQ(sys.settings["Project/CurFile"], base + "\\b\\tris.md2");
    // The old model was written back (its GL commands rebuilt, so only the size is compared).
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/base/a/tris.md2").size(), before.size());
    EXPECT_EQ(hub.refreshAll, 1);
}

TEST_F(FileCommands, OpenOfAMissingFileKeepsTheModel) {
    sys.fileDialogResults = {base + "\\b\\none.md2"};
    sys.answers = {Answer::No};
    FileOpen(*app);
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{"Save changes to the current Mesh?",
                                        "There was an error loading the specified file!"}));
    EXPECT_EQ(app->NumTriangles, 2);

    sys.messages.clear();
    FileOpen(*app);  // dialog cancelled
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(hub.refreshAll, 2);
}

TEST_F(FileCommands, SaveFailureIsReportedTwice) {
    app->CurrentFile = base + "\\nowhere\\tris.md2";
    FileSave(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{"Error Saving:3",
                                                      "An error occured while trying to save =["}));
    EXPECT_EQ(hub.refreshAll, 0);
}

TEST_F(FileCommands, SaveAsWritesOnlyUnderTheBaseFolderComparedLetterForLetter) {
    sys.fileDialogResults = {base + "\\a\\copy"};
    FileSaveAs(*app);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_FALSE(test::ReadFileBytes(dir.Path() + "/base/a/copy.md2").empty());
    EXPECT_EQ(app->CurrentFile, base + "\\a\\tris.md2");
    EXPECT_EQ(sys.fileDialogs[0].Filter, "Quake2 MD2 (*.md2)|*.md2|All Files (*.*)|*.*||");
    EXPECT_TRUE(sys.fileDialogs[0].Save);

    const char* refusal = "Error: You need to save it under your base folder...=]";
    std::string upper = base;
    upper[upper.size() - 1] = 'E';  // ...\basE
    sys.fileDialogResults = {upper + "\\x.md2", base + "extra\\x.md2", base};
    FileSaveAs(*app);
    FileSaveAs(*app);
    FileSaveAs(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{refusal, refusal, refusal}));

    // A write that fails halfway leaves the copy made before as it was.
    const std::vector<uint8_t> copy = test::ReadFileBytes(dir.Path() + "/base/a/copy.md2");
    app->Triangles[0].Vertex[0] = 3;
    sys.messages.clear();
    sys.writeFaultAfter = 10;
    sys.fileDialogResults = {base + "\\a\\copy.md2"};
    FileSaveAs(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{
                                "Error Saving:13", "An error occured while attempting to save!"}));
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/base/a/copy.md2"), copy);
}

TEST_F(FileCommands, BaseFolderChangesOnlyTheSetting) {
    sys.folderResults = {std::nullopt, dir.SystemPath() + "\\gone", dir.SystemPath()};
    FileBaseFolder(*app);
    FileBaseFolder(*app);
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{"That folder is not valid", "That folder is not valid"}));
    EXPECT_EQ(sys.settings.count("Project/BaseDir"), 0u);
    sys.messages.clear();
    FileBaseFolder(*app);
    EXPECT_EQ(sys.messages, std::vector<std::string>{
                                "You must restart Varp before the change will take effect."});
    EXPECT_EQ(sys.settings["Project/BaseDir"], dir.SystemPath());
    EXPECT_EQ(app->BaseFolder, base);
}

}  // namespace
}  // namespace varp
