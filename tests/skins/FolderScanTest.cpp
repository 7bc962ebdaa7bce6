// The folder scan: fitting PCX files of any letter case become unlinked skins, in name order.
#include <gtest/gtest.h>

#include "formats/Md2Reader.h"
#include "skins/FolderScan.h"
#include "skins/SkinCommands.h"
#include "support/Md2Files.h"
#include "support/RecordingViewHub.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class FolderScan : public ::testing::Test {
protected:
    FolderScan() : app(std::make_unique<App>(sys)), hub(app.get()) {
        app->Views = &hub;
        test::TestModel m = test::SquareModel();
        m.skins = {"skin.pcx"};
        dir.Write("skin.pcx", test::MakePcx(8, 8));
        dir.Write("tris.md2", test::MakeMd2(m));
        app->BaseFolder = dir.SystemPath();
        EXPECT_EQ(LoadModel(*app, "tris.md2"), 1);
        dir.Write("scan/x.pcx", test::MakePcx(8, 8));
        dir.Write("scan/Y.PCX", test::MakePcx(8, 8));
        dir.Write("scan/big.pcx", test::MakePcx(16, 16));
        dir.Write("scan/notes.txt", {1});
        dir.Write("scan/broken.pcx", {1, 2, 3});
        dir.Write("scan/folder.pcx/inner", {});
        dir.Write("others/big.pcx", test::MakePcx(16, 16));
        dir.Write("empty/readme.txt", {});
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    test::RecordingViewHub hub;
};

TEST_F(FolderScan, AddsEveryFittingFileAsAnUnlinkedSkinAndKeepsTheCurrentSkin) {
    SkinImage* current = app->CurrentSkin;
    sys.folderResults = {dir.SystemPath() + "\\scan"};
    SkinScanFolder(*app);
    EXPECT_EQ(sys.folderTitles, std::vector<std::string>{"Select the folder you wish to browse..."});
    EXPECT_TRUE(sys.messages.empty());
    ASSERT_EQ(app->Skins.size(), 3u);
    EXPECT_EQ(app->Skins[1]->Name, dir.SystemPath() + "\\scan\\x.pcx");
    EXPECT_EQ(app->Skins[2]->Name, dir.SystemPath() + "\\scan\\Y.PCX");
    EXPECT_EQ(app->Skins[2]->Path, app->Skins[2]->Name);
    EXPECT_EQ(app->Skins[2]->Flags, Unlinked);
    EXPECT_EQ(app->Skins[2]->OnDisk, 1u);
    EXPECT_EQ(app->CurrentSkin, current);
    EXPECT_EQ(app->CurrentSkinIndex, 0);
    EXPECT_EQ(hub.refreshAll, 1);

    // Scanning again adds them again.
    ScanFolder(*app, dir.SystemPath() + "\\scan");
    EXPECT_EQ(app->Skins.size(), 5u);
}

TEST_F(FolderScan, SaysWhenNothingFitsAfterRefreshingAndWhenNothingMatchesWithout) {
    ScanFolder(*app, dir.SystemPath() + "\\others");
    EXPECT_EQ(sys.messages, std::vector<std::string>{"There were no matching skins found at that location"});
    EXPECT_EQ(hub.refreshAll, 1);
    ScanFolder(*app, dir.SystemPath() + "\\empty");
    EXPECT_EQ(sys.messages.size(), 2u);
    EXPECT_EQ(sys.messages[1], "There were no matching skins found at that location");
    EXPECT_EQ(hub.refreshAll, 1);
    EXPECT_EQ(app->Skins.size(), 1u);
}

TEST_F(FolderScan, ACancelledOrUnusableChoiceIsNotAFolder) {
    sys.folderResults = {std::nullopt, dir.SystemPath() + "\\gone"};
    SkinScanFolder(*app);
    SkinScanFolder(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{"That folder is not valid", "That folder is not valid"}));
    EXPECT_EQ(hub.refreshAll, 0);
}

TEST_F(FolderScan, WithoutACurrentSkinThereIsStillNoneAfterwards) {
    app->Skins.clear();
    app->SelectSkin(-1);
    ScanFolder(*app, dir.SystemPath() + "\\scan");
    EXPECT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->CurrentSkin, nullptr);
    EXPECT_EQ(app->CurrentSkinIndex, -1);
}

}  // namespace
}  // namespace varp
