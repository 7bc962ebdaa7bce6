// The Skins menu through the main window: the skin selector's entries and selection, names and
// files on disk after each command; the folder scan.
#include <gtest/gtest.h>

#include <cstdio>

#include "formats/Pcx.h"
#include "frame/Commands.h"
#include "skins/SkinFiles.h"
#include "support/TestWindow.h"

namespace varp {
namespace {

using Texts = std::vector<std::string>;

class SkinCommands : public ::testing::Test, public test::TestWindow {
  protected:
    SkinCommands() {
        test::TestModel m = test::SquareModel();
        m.skins = {"sq\\skin.pcx"};
        Open(m, "sq");
    }
    SkinImage& Current() { return *app->CurrentSkin; }
    Texts& Listed() { return frame.entries[SkinSelectorId]; }
    int Selected() { return frame.selected[SkinSelectorId]; }
    std::vector<uint8_t> OnDisk(const std::string& rel) {
        return test::ReadFileBytes(dir.Path() + "/" + rel);
    }
    const std::string base = dir.SystemPath();
    test::TempDir elsewhere;  // outside the base folder
};

TEST_F(SkinCommands, NewCloseAndMovesKeepTheListAndTheCurrentSkinInStep) {
    Command(CmdSkinNew);
    EXPECT_EQ(Current().Palette, app->Skins[0]->Palette);
    EXPECT_EQ(Current().OnDisk, 0u);
    EXPECT_EQ(Current().StoredPixels, Current().Pixels);
    const std::vector<uint8_t>& p = Current().Pixels;  // squares of four texels, dark first
    EXPECT_EQ((std::vector<int>{p[0], p[3 * 8 + 3], p[4], p[4 * 8 + 4], p[7 * 8]}),
              (std::vector<int>{63, 63, 191, 63, 191}));
    Command(CmdSkinNew);
    EXPECT_EQ(Listed(), (Texts{"  sq/skin.pcx", "* newskin", "* newskin"}));
    EXPECT_EQ(Selected(), 2);
    app->Skins[1]->Name = "U1";
    Current().Name = "U2";
    const struct {
        int command;
        Texts listed;
        int selected;
    } steps[] = {
        {CmdSkinMoveUp, {"  sq/skin.pcx", "* U2", "* U1"}, 1},
        // In front of the linked skin: the selector's rebuild puts it back at once.
        {CmdSkinMoveUp, {"  sq/skin.pcx", "* U2", "* U1"}, 1},
        {CmdSkinMoveDown, {"  sq/skin.pcx", "* U1", "* U2"}, 2},
        {CmdSkinMoveDown, {"  sq/skin.pcx", "* U1", "* U2"}, 2},
        // Closing the last makes the new last current, closing another the one that followed.
        {CmdSkinClose, {"  sq/skin.pcx", "* U1"}, 1},
    };
    for (const auto& s : steps) {
        Command(s.command);
        EXPECT_EQ(Listed(), s.listed);
        EXPECT_EQ(Selected(), s.selected);
    }
    app->SelectSkin(0);
    Command(CmdSkinClose);
    EXPECT_EQ(Listed(), Texts{"* U1"});
    EXPECT_EQ(app->CurrentSkin, app->Skins[0].get());
    Command(CmdSkinClose);
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(Selected(), 0);  // the empty list's first entry, never -1
    EXPECT_EQ(app->CurrentSkinIndex, -1);

    // Without a current skin every command but New does nothing.
    for (int id : {CmdSkinClose, CmdSkinSave, CmdSkinSaveAs, CmdSkinLink, CmdSkinUnlink,
                   CmdSkinMoveUp, CmdSkinMoveDown, CmdSkinStore, CmdSkinRevert, CmdSkinReload})
        wnd->OnCommand(id);
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_TRUE(sys.fileDialogs.empty());
    EXPECT_TRUE(sys.messages.empty());
    Command(CmdSkinNew);
    EXPECT_EQ(Current().Palette, GreyPalette());
}

TEST_F(SkinCommands, SavingANewSkinAsksWhereOnceAndAppendsTheExtension) {
    Command(CmdSkinNew);
    Current().Pixels[0] = 200;
    sys.fileDialogResults = {elsewhere.SystemPath() + "\\red", base + "\\v1.2\\blue"};
    Command(CmdSkinSave);
    const FileDialogRequest& r = sys.fileDialogs.at(0);
    EXPECT_TRUE(r.Save);
    EXPECT_EQ(r.Filter, "Mesh Skin (*.pcx)|*.pcx|All Files (*.*)|*.*||");
    EXPECT_EQ(r.InitialName, "*.pcx");
    EXPECT_EQ(r.DefaultExt, "");
    const std::string path = elsewhere.SystemPath() + "\\red.pcx";
    EXPECT_EQ(Current().Name, path);
    EXPECT_EQ(Current().Path, path);
    EXPECT_EQ(Current().OnDisk, 1u);
    EXPECT_EQ(Current().StoredPixels[0], 200);
    EXPECT_EQ(Listed().back(), "* " + elsewhere.Path() + "/red.pcx");
    std::unique_ptr<SkinImage> saved = LoadSkinFile(sys, path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Pixels, Current().Pixels);

    // Later saves go straight to the file; a folder with a dot in its name gets no extension.
    Current().Pixels[1] = 201;
    Command(CmdSkinSave);
    EXPECT_EQ(sys.fileDialogs.size(), 1u);
    EXPECT_EQ(LoadSkinFile(sys, path)->Pixels[1], 201);
    dir.Write("v1.2/keep", {});
    Command(CmdSkinSaveAs);
    EXPECT_EQ(Current().Path, base + "\\v1.2\\blue");
    EXPECT_TRUE(sys.messages.empty());
}

TEST_F(SkinCommands, ALinkedSkinIsSavedOnlyInOrBelowTheBaseFolderUnderItsRelativeName) {
    std::string upper = base;
    upper[upper.find("varp")] = 'V';
    sys.fileDialogResults = {upper + "\\sq\\x.pcx", base + "extra\\x.pcx", base + "\\sq\\copy.pcx"};
    for (int i = 0; i < 3; ++i) Command(CmdSkinSaveAs);
    const char* refusal = "Linked skins must be in or below your Base Folder!";
    EXPECT_EQ(sys.messages, (Texts{refusal, refusal}));
    EXPECT_EQ(Listed(), Texts{"  sq/copy.pcx"});
    EXPECT_EQ(Current().Path, base + "\\sq\\copy.pcx");
    EXPECT_EQ(OnDisk("sq/copy.pcx"), OnDisk("sq/skin.pcx"));
}

TEST_F(SkinCommands, UnlinkThenLinkWritesTheSkinAgainUnderItsNewName) {
    Command(CmdSkinUnlink);
    EXPECT_EQ(Listed(), Texts{"* " + dir.Path() + "/sq/skin.pcx"});
    EXPECT_EQ(Current().Name, base + "\\sq\\skin.pcx");
    EXPECT_EQ(Current().OnDisk, 1u);
    sys.fileDialogResults = {elsewhere.SystemPath() + "\\x.pcx", base + "\\models\\linked"};
    Command(CmdSkinLink);
    EXPECT_EQ(sys.messages,
              Texts{"Linked skins must be in or below your Base Folder!, Please try again."});
    dir.Write("models/keep", {});
    Command(CmdSkinLink);
    EXPECT_EQ(Current().Flags, 0u);
    EXPECT_EQ(Listed(), Texts{"  models/linked.pcx"});
    EXPECT_EQ(Current().Path, base + "\\models\\linked.pcx");
    EXPECT_EQ(OnDisk("models/linked.pcx"), OnDisk("sq/skin.pcx"));
    Command(CmdSkinLink);  // already linked: nothing
    EXPECT_EQ(sys.fileDialogs.size(), 2u);
}

TEST_F(SkinCommands, StoreRevertAndReloadMoveTexelsOnly) {
    const auto paint = [&](uint8_t value) {
        Current().Pixels[5] = value;
        Current().Revision = app->NewRevision();
    };
    const uint8_t original = Current().Pixels[5];
    sys.defaultAnswer = Answer::Discard;
    paint(77);
    Command(CmdSkinRevert);
    EXPECT_EQ(Current().Pixels[5], original);
    EXPECT_EQ(sys.messages, Texts{"These changes are not saved:\n    the skin sq/skin.pcx\nSave "
                                  "them before going on?"});
    paint(78);
    Command(CmdSkinStore);
    paint(79);
    Command(CmdSkinRevert);
    EXPECT_EQ(Current().Pixels[5], 78);

    // A failed save says so twice and keeps the checkpoint.
    paint(80);
    const std::string path = Current().Path;
    Current().Path = base + "\\gone\\skin.pcx";
    sys.messages.clear();
    Command(CmdSkinSave);
    EXPECT_EQ(sys.messages,
              (Texts{"Error Saving:3", "An error occured while attempting to save!"}));
    EXPECT_EQ(Current().StoredPixels[5], 78);
    Current().Path = path;

    // The file changes on disk: Reload takes its texels and keeps the palette held here.
    Current().Palette[0] = 99;
    const std::vector<uint8_t> pixels(64, 3), palette(768, 0);
    dir.Write("sq/skin.pcx", EncodePcx(pixels.data(), 8, 8, palette.data()));
    Command(CmdSkinReload);
    EXPECT_EQ(Current().Pixels, pixels);
    EXPECT_EQ(Current().StoredPixels, pixels);
    EXPECT_EQ(Current().Palette[0], 99);

    // A file of other dimensions is refused like an unreadable one.
    sys.messages.clear();
    dir.Write("sq/skin.pcx", test::MakePcx(16, 8));
    Command(CmdSkinReload);
    std::remove((dir.Path() + "/sq/skin.pcx").c_str());
    Command(CmdSkinReload);
    EXPECT_EQ(sys.messages, (Texts{"Unable to reload the skin!", "Unable to reload the skin!"}));
    EXPECT_EQ(Current().Pixels, pixels);
}

TEST_F(SkinCommands, OpenAddsAFittingFileAsTheCurrentUnlinkedSkin) {
    dir.Write("loose/wide.pcx", test::MakePcx(16, 8));
    dir.Write("loose/fits.pcx", test::MakePcx(8, 8));
    sys.fileDialogResults = {base + "\\loose\\wide.pcx", std::nullopt,
                             base + "\\loose\\missing.pcx", base + "\\loose\\fits"};
    for (int i = 0; i < 4; ++i) Command(CmdSkinOpen);
    EXPECT_EQ(sys.messages, Texts{"Error loading skin: Incorrect dimensions!"});
    EXPECT_FALSE(sys.fileDialogs[0].Save);
    EXPECT_EQ(Listed(), (Texts{"  sq/skin.pcx", "* " + dir.Path() + "/loose/fits.pcx"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(SkinCommands, TheFolderScanAddsEveryFittingFileAndKeepsTheCurrentSkin) {
    for (const char* name : {"scan/x.pcx", "scan/Y.PCX"}) dir.Write(name, test::MakePcx(8, 8));
    dir.Write("scan/big.pcx", test::MakePcx(16, 16));
    dir.Write("scan/broken.pcx", {1, 2, 3});
    dir.Write("scan/folder.pcx/inner", {});
    dir.Write("others/big.pcx", test::MakePcx(16, 16));
    dir.Write("empty/readme.txt", {});
    sys.folderResults = {base + "\\scan", base + "\\others", base + "\\empty", std::nullopt,
                         base + "\\gone"};
    Command(CmdScanFolder);
    EXPECT_EQ(sys.folderTitles, Texts{"Select the folder you wish to browse..."});
    EXPECT_EQ(Listed(), (Texts{"  sq/skin.pcx", "* " + dir.Path() + "/scan/x.pcx",
                               "* " + dir.Path() + "/scan/Y.PCX"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(app->Skins[2]->OnDisk, 1u);
    // Nothing fits: the views are refreshed, then the user is told; an empty folder only tells.
    wnd->OnCommand(CmdScanFolder);
    EXPECT_EQ(frame.posted, std::deque<int>{1});
    frame.Drain();
    for (int i = 0; i < 3; ++i) wnd->OnCommand(CmdScanFolder);
    EXPECT_TRUE(frame.posted.empty());
    const char* none = "There were no matching skins found at that location";
    const char* invalid = "That folder is not valid";
    EXPECT_EQ(sys.messages, (Texts{none, none, invalid, invalid}));
    EXPECT_EQ(app->Skins.size(), 3u);
}

}  // namespace
}  // namespace varp
