// Start-up in every branch: base folder loop, command line, last file, open dialog, quit.
#include <gtest/gtest.h>

#include "commands/Startup.h"
#include "support/Md2Files.h"
#include "support/RecordingViewHub.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class Startup : public ::testing::Test {
  protected:
    Startup() : app(std::make_unique<App>(sys)) {
        app->Views = &hub;
        test::TestModel m = test::SquareModel();
        m.skins = {"models\\sq\\skin.pcx"};
        dir.Write("base/models/sq/tris.md2", test::MakeMd2(m));
        dir.Write("base/models/sq/skin.pcx", test::MakePcx(8, 8));
        dir.Write("base/models/sq/red.pcx", test::MakePcx(8, 8));
        dir.Write("base/models/sq/blue.pcx", test::MakePcx(8, 8));
        dir.Write("base/models/sq/wide.pcx", test::MakePcx(16, 8));
        base = dir.SystemPath() + "\\base";
        model = base + "\\models\\sq\\tris.md2";
    }
    void Settings(const std::string& baseDir, const std::string& curFile) {
        if (!baseDir.empty()) sys.settings["Project/BaseDir"] = baseDir;
        if (!curFile.empty()) sys.settings["Project/CurFile"] = curFile;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    test::RecordingViewHub hub;
    std::unique_ptr<App> app;
    std::string base, model;
};

TEST_F(Startup, ReopensTheLastModelUnderTheSavedBaseFolder) {
    Settings(base, model);
    StartUp(*app);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_TRUE(sys.folderTitles.empty());
    EXPECT_TRUE(sys.fileDialogs.empty());
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ(app->BaseFolder, base);
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(sys.settings["Project/BaseDir"], base);
    EXPECT_EQ(app->Skins.size(), 1u);
    EXPECT_EQ(hub.refreshAll, 1);
    EXPECT_EQ(sys.quitCount, 0);
}

TEST_F(Startup, AsksForABaseFolderUntilAUsableOneIsChosen) {
    Settings("", model);
    sys.folderResults = {std::nullopt, dir.SystemPath() + "\\missing", base};
    StartUp(*app);
    const std::string title = "Please locate the 'baseq2' folder under Quake2";
    EXPECT_EQ(sys.folderTitles, (std::vector<std::string>{title, title, title}));
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{"You must specify a valid folder",
                                        "That folder is not valid,\nPlease choose another"}));
    EXPECT_EQ(app->BaseFolder, base);
    EXPECT_EQ(sys.settings["Project/BaseDir"], base);
    EXPECT_EQ(app->ModelLoaded, 1);

    // A saved folder that no longer exists is asked for again too.
    auto again = std::make_unique<App>(sys);
    sys.settings["Project/BaseDir"] = dir.SystemPath() + "\\gone";
    sys.folderResults = {base};
    sys.messages.clear();
    StartUp(*again);
    EXPECT_EQ(sys.folderTitles.size(), 4u);
    EXPECT_EQ(again->BaseFolder, base);
}

TEST_F(Startup, TheCommandLineModelAndItsSkinsComeFirst) {
    Settings(base, "Unknown");
    sys.commandLine =
        "varp -md2 models\\sq\\tris.md2 \"" + base + "\\models\\sq\\red.pcx\" models\\sq\\blue.pcx";
    StartUp(*app);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(app->CurrentFile, "models\\sq\\tris.md2");
    EXPECT_EQ(sys.settings["Project/CurFile"], "models\\sq\\tris.md2");
    ASSERT_EQ(app->Skins.size(), 3u);
    EXPECT_EQ(app->Skins[1]->Name, base + "\\models\\sq\\red.pcx");
    EXPECT_EQ(app->Skins[1]->Flags, Unlinked);
    EXPECT_EQ(app->Skins[2]->Name, base + "\\models\\sq\\blue.pcx");
    EXPECT_EQ(app->Skins[2]->Path, app->Skins[2]->Name);
    EXPECT_EQ(app->CurrentSkin, app->Skins[2].get());
    EXPECT_EQ(app->CurrentSkinIndex, 2);
    EXPECT_EQ(hub.refreshAll, 3);  // once per skin, once at the end
}

TEST_F(Startup, TheCommandLineStopsAtTheFirstSkinThatFails) {
    Settings(base, "Unknown");
    sys.commandLine =
        "varp -md2 models\\sq\\tris.md2 models\\sq\\red.pcx models\\sq\\wide.pcx "
        "models\\sq\\blue.pcx";
    StartUp(*app);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Error loading skin: Incorrect dimensions!"});
    EXPECT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->CurrentSkinIndex, 1);

    auto other = std::make_unique<App>(sys);
    sys.messages.clear();
    sys.commandLine = "varp -md2 models\\sq\\tris.md2 models\\sq\\none.pcx models\\sq\\red.pcx";
    StartUp(*other);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Error loading skin from the command line!"});
    EXPECT_EQ(other->Skins.size(), 1u);
}

TEST_F(Startup, AModelThatFailsOnTheCommandLineFallsBackToTheLastFile) {
    Settings(base, model);
    sys.commandLine = "varp -md2 models\\sq\\none.md2";
    StartUp(*app);
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{"There was an error loading the specified file!",
                                        "There was an error loading from the command line!"}));
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ(app->CurrentFile, model);

    // "-md2" with nothing after it falls back the same way, silently.
    auto other = std::make_unique<App>(sys);
    sys.messages.clear();
    sys.commandLine = "varp -md2";
    StartUp(*other);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(other->CurrentFile, model);
}

TEST_F(Startup, WithoutALastFileTheOpenDialogDecidesAndCancelQuits) {
    Settings(base, base + "\\models\\gone.md2");
    StartUp(*app);
    EXPECT_EQ(sys.messages,
              std::vector<std::string>{"There was an error loading the specified file!"});
    ASSERT_EQ(sys.fileDialogs.size(), 1u);
    const FileDialogRequest& r = sys.fileDialogs[0];
    EXPECT_FALSE(r.Save);
    EXPECT_EQ(r.Filter, "Quake2 Model (*.md2)|*.md2|All Files (*.*)|*.*||");
    EXPECT_EQ(r.DefaultExt, "*.md2");
    EXPECT_EQ(r.Flags, HideReadOnly | PathMustExist);
    EXPECT_EQ(sys.quitCount, 1);
    EXPECT_EQ(app->ModelLoaded, 0);
}

TEST_F(Startup, AChosenPathWithoutAnyDotGetsTheModelExtension) {
    Settings(base, "Unknown");
    sys.fileDialogs.clear();
    sys.fileDialogResults = {base + "\\models\\sq\\tris"};
    StartUp(*app);
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(sys.settings["Project/CurFile"], model);
    EXPECT_EQ(sys.quitCount, 0);

    // A dot anywhere, even in a folder name, keeps the path as it is; it fails and quits.
    dir.Write("base/models/v1.0/tris.md2", test::MakeMd2(test::SquareModel()));
    auto other = std::make_unique<App>(sys);
    sys.settings["Project/CurFile"] = "Unknown";
    sys.fileDialogResults = {base + "\\models\\v1.0\\tris"};
    sys.messages.clear();
    StartUp(*other);
    EXPECT_EQ(sys.messages,
              std::vector<std::string>{"There was an error loading the specified file!"});
    EXPECT_EQ(sys.quitCount, 1);
}

}  // namespace
}  // namespace varp
