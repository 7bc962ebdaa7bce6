// Skins menu commands: list order, current skin, names, files on disk after each command; the
// folder scan.
#include <gtest/gtest.h>

#include <cstdio>

#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "skins/FolderScan.h"
#include "skins/SkinCommands.h"
#include "skins/SkinFiles.h"
#include "support/Md2Files.h"
#include "support/RecordingViewHub.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class SkinCommands : public ::testing::Test {
  protected:
    SkinCommands() : app(std::make_unique<App>(sys)), hub(app.get()) {
        app->Views = &hub;
        base = dir.SystemPath() + "\\base";
        test::TestModel m = test::SquareModel();
        m.skins = {"models\\sq\\skin.pcx"};
        dir.Write("base/models/sq/tris.md2", test::MakeMd2(m));
        dir.Write("base/models/sq/skin.pcx", test::MakePcx(8, 8));
        dir.Write("loose/wide.pcx", test::MakePcx(16, 8));
        dir.Write("loose/fits.pcx", test::MakePcx(8, 8));
        app->BaseFolder = base;
        EXPECT_EQ(LoadModel(*app, "models\\sq\\tris.md2"), 1);
    }
    SkinImage& Current() { return *app->CurrentSkin; }
    std::vector<std::string> Names() {
        std::vector<std::string> n;
        for (const auto& s : app->Skins) n.push_back(s->Name);
        return n;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    test::RecordingViewHub hub;
    std::string base;
};

TEST_F(SkinCommands, NewMakesAnUnlinkedCheckerboardInTheCurrentPalette) {
    SkinNew(*app);
    SkinNew(*app);
    EXPECT_EQ(Names(), (std::vector<std::string>{"models\\sq\\skin.pcx", "newskin", "newskin"}));
    EXPECT_EQ(app->CurrentSkinIndex, 2);
    EXPECT_EQ(Current().Flags, Unlinked);
    EXPECT_EQ(Current().OnDisk, 0u);
    EXPECT_EQ(Current().Palette, app->Skins[0]->Palette);
    EXPECT_EQ(Current().StoredPixels, Current().Pixels);
    EXPECT_EQ(hub.refreshAll, 2);

    // Without a current skin the palette is a grey ramp; the squares are four texels wide.
    app->Skins.clear();
    app->SelectSkin(-1);
    app->SkinWidth = 64;
    app->SkinHeight = 32;
    SkinNew(*app);
    ASSERT_EQ(Current().Pixels.size(), 64u * 32);
    auto at = [&](int x, int y) { return Current().Pixels[static_cast<size_t>(y * 64 + x)]; };
    EXPECT_EQ(at(0, 0), 63);
    EXPECT_EQ(at(3, 3), 63);
    EXPECT_EQ(at(4, 0), 191);
    EXPECT_EQ(at(4, 4), 63);
    EXPECT_EQ(at(0, 31), 191);
    EXPECT_EQ(Current().Palette, GreyPalette());
}

TEST_F(SkinCommands, CloseKeepsAValidCurrentSkin) {
    SkinNew(*app);
    SkinNew(*app);
    SkinClose(*app);  // the last of three: the new last becomes current
    EXPECT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->CurrentSkinIndex, 1);
    EXPECT_EQ(app->CurrentSkin, app->Skins[1].get());
    app->SelectSkin(0);
    SkinClose(*app);  // the first: the one that followed takes its place
    EXPECT_EQ(app->CurrentSkinIndex, 0);
    EXPECT_EQ(Current().Name, "newskin");
    SkinClose(*app);
    EXPECT_EQ(app->CurrentSkinIndex, -1);
    EXPECT_EQ(app->CurrentSkin, nullptr);
    const int refreshes = hub.refreshAll;
    SkinClose(*app);  // nothing to close: nothing happens
    SkinSave(*app);
    SkinMoveUp(*app);
    SkinMoveDown(*app);
    SkinRevert(*app);
    EXPECT_EQ(hub.refreshAll, refreshes);
    EXPECT_TRUE(sys.fileDialogs.empty());
    EXPECT_TRUE(sys.messages.empty());
}

TEST_F(SkinCommands, SavingANewSkinAsksWhereAndAppendsTheExtension) {
    SkinNew(*app);
    Current().Pixels[0] = 200;
    sys.fileDialogResults = {dir.SystemPath() + "\\loose\\red"};
    SkinSave(*app);
    ASSERT_EQ(sys.fileDialogs.size(), 1u);
    EXPECT_TRUE(sys.fileDialogs[0].Save);
    EXPECT_EQ(sys.fileDialogs[0].Filter, "Mesh Skin (*.pcx)|*.pcx|All Files (*.*)|*.*||");
    EXPECT_EQ(sys.fileDialogs[0].InitialName, "*.pcx");
    EXPECT_EQ(sys.fileDialogs[0].DefaultExt, "");
    const std::string path = dir.SystemPath() + "\\loose\\red.pcx";
    EXPECT_EQ(Current().Name, path);
    EXPECT_EQ(Current().Path, path);
    EXPECT_EQ(Current().OnDisk, 1u);
    EXPECT_EQ(Current().Flags, Unlinked);
    EXPECT_EQ(Current().StoredPixels[0], 200);
    EXPECT_EQ(hub.rebuilds, 1);
    std::unique_ptr<SkinImage> onDisk = LoadSkinFile(sys, path);
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(onDisk->Pixels, Current().Pixels);

    // Later saves go straight to the file; a folder with a dot in its name gets no extension.
    Current().Pixels[1] = 201;
    SkinSave(*app);
    EXPECT_EQ(sys.fileDialogs.size(), 1u);
    EXPECT_EQ(LoadSkinFile(sys, path)->Pixels[1], 201);
    dir.Write("v1.2/keep", {});
    sys.fileDialogResults = {dir.SystemPath() + "\\v1.2\\blue"};
    SkinSaveAs(*app);
    EXPECT_EQ(Current().Path, dir.SystemPath() + "\\v1.2\\blue");
}

TEST_F(SkinCommands, ALinkedSkinIsSavedOnlyInOrBelowTheBaseFolder) {
    std::string upper = base;
    upper[upper.size() - 1] = 'E';
    sys.fileDialogResults = {upper + "\\models\\sq\\x.pcx", base + "extra\\x.pcx",
                             base + "\\models\\sq\\copy.pcx"};
    SkinSaveAs(*app);
    SkinSaveAs(*app);
    const char* refusal = "Linked skins must be in or below your Base Folder!";
    EXPECT_EQ(sys.messages, (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(Current().Name, "models\\sq\\skin.pcx");
    SkinSaveAs(*app);
    EXPECT_EQ(Current().Name, "models\\sq\\copy.pcx");
    EXPECT_EQ(Current().Path, base + "\\models\\sq\\copy.pcx");
    EXPECT_EQ(Current().Flags, 0u);
    EXPECT_FALSE(test::ReadFileBytes(dir.Path() + "/base/models/sq/copy.pcx").empty());
}

TEST_F(SkinCommands, UnlinkThenLinkWritesTheSkinAgainUnderItsNewName) {
    SkinUnlink(*app);
    EXPECT_EQ(Current().Flags, Unlinked);
    EXPECT_EQ(Current().Name, base + "\\models\\sq\\skin.pcx");
    EXPECT_EQ(Current().OnDisk, 1u);

    sys.fileDialogResults = {dir.SystemPath() + "\\loose\\x.pcx", base + "\\models\\linked"};
    SkinLink(*app);
    EXPECT_EQ(sys.messages,
              std::vector<std::string>{
                  "Linked skins must be in or below your Base Folder!, Please try again."});
    Current().Flags |= 4;  // any other bit is cleared by linking
    SkinLink(*app);
    EXPECT_EQ(Current().Flags, 0u);
    EXPECT_EQ(Current().Name, "models\\linked.pcx");
    EXPECT_EQ(Current().Path, base + "\\models\\linked.pcx");
    EXPECT_FALSE(test::ReadFileBytes(dir.Path() + "/base/models/linked.pcx").empty());
    SkinLink(*app);  // already linked: nothing
    EXPECT_EQ(sys.fileDialogs.size(), 2u);
}

TEST_F(SkinCommands, MovesAcrossTheLinkedGroupAreUndoneByTheRebuild) {
    SkinNew(*app);  // [L, U1], U1 current
    SkinNew(*app);  // [L, U1, U2], U2 current
    Current().Name = "U2";
    app->Skins[1]->Name = "U1";
    SkinMoveUp(*app);  // within the unlinked group: stays
    EXPECT_EQ(Names(), (std::vector<std::string>{"models\\sq\\skin.pcx", "U2", "U1"}));
    EXPECT_EQ(app->CurrentSkinIndex, 1);
    SkinMoveUp(*app);  // in front of the linked skin: put back at once
    EXPECT_EQ(Names(), (std::vector<std::string>{"models\\sq\\skin.pcx", "U2", "U1"}));
    EXPECT_EQ(app->CurrentSkinIndex, 1);
    EXPECT_EQ(Current().Name, "U2");
    SkinMoveDown(*app);
    SkinMoveDown(*app);  // already last
    EXPECT_EQ(Names(), (std::vector<std::string>{"models\\sq\\skin.pcx", "U1", "U2"}));
    EXPECT_EQ(app->CurrentSkinIndex, 2);
    app->SelectSkin(0);
    SkinMoveUp(*app);  // already first
    EXPECT_EQ(app->CurrentSkinIndex, 0);
}

TEST_F(SkinCommands, StoreRevertAndReloadMoveTexelsOnly) {
    const uint8_t original = Current().Pixels[5];
    Current().Pixels[5] = 77;
    SkinRevert(*app);
    EXPECT_EQ(Current().Pixels[5], original);
    EXPECT_EQ(hub.posted, std::vector<int>{1});
    Current().Pixels[5] = 78;
    SkinStore(*app);
    SkinStore(*app);
    Current().Pixels[5] = 79;
    SkinRevert(*app);
    EXPECT_EQ(Current().Pixels[5], 78);

    // The file changes on disk: Reload takes its texels and keeps the palette held here.
    Current().Palette[0] = 99;
    std::vector<uint8_t> pixels(64, 3);
    const std::vector<uint8_t> palette(768, 0);
    dir.Write("base/models/sq/skin.pcx", EncodePcx(pixels.data(), 8, 8, palette.data()));
    SkinReload(*app);
    EXPECT_EQ(Current().Pixels, pixels);
    EXPECT_EQ(Current().StoredPixels, pixels);
    EXPECT_EQ(Current().Palette[0], 99);
    EXPECT_EQ(Current().Name, "models\\sq\\skin.pcx");

    // A file of other dimensions is refused like an unreadable one.
    dir.Write("base/models/sq/skin.pcx", test::MakePcx(16, 8));
    SkinReload(*app);
    std::remove((dir.Path() + "/base/models/sq/skin.pcx").c_str());
    SkinReload(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{"Unable to reload the skin!",
                                                      "Unable to reload the skin!"}));
    EXPECT_EQ(Current().Pixels, pixels);
    SkinNew(*app);
    SkinReload(*app);  // not on disk: nothing
    EXPECT_EQ(sys.messages.size(), 2u);
}

TEST_F(SkinCommands, OpenAddsAFittingFileAsTheCurrentUnlinkedSkin) {
    sys.fileDialogResults = {dir.SystemPath() + "\\loose\\wide.pcx", std::nullopt,
                             dir.SystemPath() + "\\loose\\missing.pcx",
                             dir.SystemPath() + "\\loose\\fits"};
    SkinOpen(*app);
    SkinOpen(*app);
    SkinOpen(*app);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"Error loading skin: Incorrect dimensions!"});
    EXPECT_EQ(app->Skins.size(), 1u);
    SkinOpen(*app);
    ASSERT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->CurrentSkinIndex, 1);
    EXPECT_EQ(Current().Name, dir.SystemPath() + "\\loose\\fits.pcx");
    EXPECT_EQ(Current().Flags, Unlinked);
    EXPECT_FALSE(sys.fileDialogs[0].Save);
}

TEST_F(SkinCommands, AFailedSaveLeavesTheSkinAndTheFileAsTheyWere) {
    const std::vector<uint8_t> before =
        test::ReadFileBytes(dir.Path() + "/base/models/sq/skin.pcx");
    Current().Pixels[0] = 250;
    sys.writeFaultAfter = 50;
    SkinSave(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{
                                "Error Saving:13", "An error occured while attempting to save!"}));
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/base/models/sq/skin.pcx"), before);
    EXPECT_NE(Current().StoredPixels[0], 250);
}

// Fitting PCX files of any letter case become unlinked skins, in name order.
class FolderScan : public SkinCommands {
  protected:
    FolderScan() {
        dir.Write("scan/x.pcx", test::MakePcx(8, 8));
        dir.Write("scan/Y.PCX", test::MakePcx(8, 8));
        dir.Write("scan/big.pcx", test::MakePcx(16, 16));
        dir.Write("scan/notes.txt", {1});
        dir.Write("scan/broken.pcx", {1, 2, 3});
        dir.Write("scan/folder.pcx/inner", {});
        dir.Write("others/big.pcx", test::MakePcx(16, 16));
        dir.Write("empty/readme.txt", {});
    }
};

TEST_F(FolderScan, AddsEveryFittingFileAsAnUnlinkedSkinAndKeepsTheCurrentSkin) {
    SkinImage* current = app->CurrentSkin;
    sys.folderResults = {dir.SystemPath() + "\\scan"};
    SkinScanFolder(*app);
    EXPECT_EQ(sys.folderTitles,
              std::vector<std::string>{"Select the folder you wish to browse..."});
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

    // Scanning again adds them again; without a current skin there is still none afterwards.
    ScanFolder(*app, dir.SystemPath() + "\\scan");
    EXPECT_EQ(app->Skins.size(), 5u);
    app->Skins.clear();
    app->SelectSkin(-1);
    ScanFolder(*app, dir.SystemPath() + "\\scan");
    EXPECT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->CurrentSkin, nullptr);
    EXPECT_EQ(app->CurrentSkinIndex, -1);
}

TEST_F(FolderScan, SaysWhenNothingFitsOrTheChoiceIsNoFolder) {
    ScanFolder(*app, dir.SystemPath() + "\\others");  // refreshes, then says so
    EXPECT_EQ(hub.refreshAll, 1);
    ScanFolder(*app, dir.SystemPath() + "\\empty");  // nothing to refresh for
    sys.folderResults = {std::nullopt, dir.SystemPath() + "\\gone"};
    SkinScanFolder(*app);
    SkinScanFolder(*app);
    const std::string none = "There were no matching skins found at that location";
    const std::string invalid = "That folder is not valid";
    EXPECT_EQ(sys.messages, (std::vector<std::string>{none, none, invalid, invalid}));
    EXPECT_EQ(hub.refreshAll, 1);
    EXPECT_EQ(app->Skins.size(), 1u);
}

}  // namespace
}  // namespace varp
