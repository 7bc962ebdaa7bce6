// Start-up in every branch: base folder loop, command line, last file, open dialog, quit.
#include <gtest/gtest.h>

#include "commands/Startup.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using Texts = std::vector<std::string>;

struct CountingViews : ViewHub {
    void RefreshAllViews() override { ++refreshes; }
    void RebuildSelectors() override {}
    void PostRefresh(Refresh) override {}
    int refreshes = 0;
};

class Startup : public ::testing::Test {
  protected:
    Startup() {
        test::TestModel m = test::SquareModel();
        m.skins = {"sq\\skin.pcx"};
        dir.Write("base/sq/tris.md2", test::MakeMd2(m));
        for (const char* name : {"skin", "red", "blue"})
            dir.Write(std::string("base/sq/") + name + ".pcx", test::MakePcx(8, 8));
        dir.Write("base/sq/wide.pcx", test::MakePcx(16, 8));
        dir.Write("base/v1.0/tris.md2", test::MakeMd2(m));
        sys.settings = {{"Project/BaseDir", base}, {"Project/CurFile", model}};
    }
    // A fresh application through start-up.
    std::unique_ptr<App> Start() {
        auto app = std::make_unique<App>(sys);
        app->Views = &views;
        sys.messages.clear();
        StartUp(*app);
        return app;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    CountingViews views;
    const std::string base = dir.SystemPath() + "\\base", model = base + "\\sq\\tris.md2";
};

TEST_F(Startup, ReopensTheLastModelAndAsksForABaseFolderUntilAUsableOneIsChosen) {
    auto app = Start();
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_TRUE(sys.fileDialogs.empty());
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(app->Skins.size(), 1u);
    EXPECT_EQ(views.refreshes, 1);

    sys.settings.erase("Project/BaseDir");
    sys.folderResults = {std::nullopt, dir.SystemPath() + "\\missing", base};
    app = Start();
    const std::string title = "Please locate the 'baseq2' folder under Quake2";
    EXPECT_EQ(sys.folderTitles, (Texts{title, title, title}));
    EXPECT_EQ(sys.messages, (Texts{"You must specify a valid folder",
                                   "That folder is not valid,\nPlease choose another"}));
    EXPECT_EQ(app->BaseFolder, base);
    EXPECT_EQ(sys.settings["Project/BaseDir"], base);
    EXPECT_EQ(app->ModelLoaded, 1);

    // A saved folder that no longer exists is asked for again too.
    sys.settings["Project/BaseDir"] = dir.SystemPath() + "\\gone";
    sys.folderResults = {base};
    EXPECT_EQ(Start()->BaseFolder, base);
    EXPECT_EQ(sys.folderTitles.size(), 4u);
    EXPECT_EQ(sys.quitCount, 0);
}

TEST_F(Startup, TheCommandLineModelAndItsSkinsComeFirstAndAFailedModelFallsBack) {
    const std::string dims = "Error loading skin: Incorrect dimensions!";
    const std::string red = base + "\\sq\\red.pcx", blue = base + "\\sq\\blue.pcx";
    const struct {
        std::string line;
        Texts messages;
        std::string file;
        Texts skins;  // after the model's own
    } cases[] = {
        {"varp -md2 sq\\tris.md2 \"" + red + "\" sq\\blue.pcx", {}, model, {red, blue}},
        // It stops at the first skin that fails.
        {"varp -md2 sq\\tris.md2 sq\\red.pcx sq\\wide.pcx sq\\blue.pcx", {dims}, model, {red}},
        {"varp -md2 sq\\tris.md2 sq\\none.pcx sq\\red.pcx",
         {"Error loading skin from the command line!"},
         model,
         {}},
        {"varp -md2 sq\\none.md2",
         {"There was an error loading the specified file!",
          "There was an error loading from the command line!"},
         model,
         {}},
        {"varp -md2", {}, model, {}},
        // A name not under the base folder is looked for where the program was started.
        {"varp -md2 base\\sq\\tris.md2 base\\sq\\red.pcx", {}, model, {red}},
    };
    sys.launchFolder = dir.SystemPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        sys.settings["Project/CurFile"] = model;
        sys.commandLine = c.line;
        auto app = Start();
        EXPECT_EQ(sys.messages, c.messages);
        EXPECT_EQ(app->CurrentFile, c.file);
        EXPECT_EQ(sys.settings["Project/CurFile"], c.file);
        Texts skins;
        for (size_t i = 1; i < app->Skins.size(); ++i) {
            EXPECT_EQ(app->Skins[i]->Flags, Unlinked);
            skins.push_back(app->Skins[i]->Name);
        }
        EXPECT_EQ(skins, c.skins);
        EXPECT_EQ(app->CurrentSkinIndex, static_cast<int>(c.skins.size()));
    }
}

TEST_F(Startup, WithoutALastFileTheOpenDialogDecidesAndCancelQuits) {
    sys.settings["Project/CurFile"] = base + "\\gone.md2";
    const char* loadError = "There was an error loading the specified file!";
    auto app = Start();
    EXPECT_EQ(sys.messages, Texts{loadError});
    ASSERT_EQ(sys.fileDialogs.size(), 1u);
    const FileDialogRequest& r = sys.fileDialogs[0];
    EXPECT_FALSE(r.Save);
    EXPECT_EQ(r.Filter, "Quake2 Model (*.md2)|*.md2|All Files (*.*)|*.*||");
    EXPECT_EQ(r.DefaultExt, "*.md2");
    EXPECT_EQ(r.Flags, HideReadOnly | PathMustExist);
    EXPECT_EQ(sys.quitCount, 1);
    EXPECT_EQ(app->ModelLoaded, 0);

    // A chosen path without any dot gets the extension; a dot anywhere, even in a folder
    // name, keeps the path as it is, and then it fails and quits.
    sys.fileDialogResults = {base + "\\sq\\tris", base + "\\v1.0\\tris"};
    app = Start();
    EXPECT_EQ(app->CurrentFile, model);
    EXPECT_EQ(sys.settings["Project/CurFile"], model);
    EXPECT_EQ(sys.quitCount, 1);
    sys.settings["Project/CurFile"] = "Unknown";
    app = Start();
    EXPECT_EQ(sys.messages, Texts{loadError});
    EXPECT_EQ(sys.quitCount, 2);
}

}  // namespace
}  // namespace varp
