// The game folder: paks under the loose files, later paks over earlier ones, the game palette,
// skins reloaded after another program changed their file, the package check.
#include <gtest/gtest.h>

#include "commands/FileCommands.h"
#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "gamedata/GameFolder.h"
#include "gamedata/PackageCheck.h"
#include "skins/FileChanges.h"
#include "skins/SkinCommands.h"
#include "skins/SkinSaving.h"
#include "support/Md2Files.h"
#include "support/PakFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using Palette = std::array<uint8_t, 768>;

// Grey ramps: the skins' entry i is (i, i, i); the game's runs the other way, and its entries
// 100 and 245 both hold the skins' colour 10.
Palette Ramp(bool game) {
    Palette p;
    for (int i = 0; i < 256; ++i)
        p[3 * i] = p[3 * i + 1] = p[3 * i + 2] = static_cast<uint8_t>(game ? 255 - i : i);
    if (game) p[300] = p[301] = p[302] = 10;
    return p;
}

// An 8 x 8 image of `fill` whose first texel is 10.
std::vector<uint8_t> Image(uint8_t fill, const Palette& palette) {
    std::vector<uint8_t> pixels(64, fill);
    pixels[0] = 10;
    return EncodePcx(pixels.data(), 8, 8, palette.data());
}

class GameData : public ::testing::Test {
  protected:
    GameData() : app(std::make_unique<App>(sys)) {
        app->Views = &hub;
        test::TestModel m = test::SquareModel();
        m.skins = {"models/sq/skin.pcx", "models/sq/other.pcx"};
        model = test::MakeMd2(m);
        pak0 = test::MakePak({{"models/sq/tris.md2", model},
                              {"models/sq/skin.pcx", Image(20, Ramp(false))},
                              {"models/sq/other.pcx", Image(20, Ramp(false))},
                              {"pics/colormap.pcx", Image(0, Palette{})}});
        pak1 = test::MakePak({{"models/sq/skin.pcx", Image(30, Ramp(false))},
                              {"pics/colormap.pcx", Image(0, Ramp(true))}});
        dir.Write("base/pak0.pak", pak0);
        dir.Write("base/pak1.pak", pak1);
        dir.Write("base/models/sq/other.pcx", Image(40, Ramp(false)));
        app->BaseFolder = Base();
        app->CurrentFile = Base() + "\\models\\sq\\tris.md2";
        EXPECT_EQ(LoadModel(*app, app->CurrentFile), 1);
    }
    std::string Base() const { return dir.SystemPath() + "\\base"; }
    std::vector<uint8_t> Loose(const std::string& name) const {
        return test::ReadFileBytes(dir.Path() + "/base/" + name);
    }
    SkinImage& Skin(size_t i) { return *app->Skins[i]; }

    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    struct QuietViews : ViewHub {
        void RefreshAllViews() override {}
        void RebuildSelectors() override {}
        void PostRefresh(Refresh) override {}
    } hub;
    std::vector<uint8_t> model, pak0, pak1;
};

TEST_F(GameData, LooseFilesWinOverPaksAndWhatCameFromAPakIsSavedLooseLeavingThePaksAlone) {
    EXPECT_TRUE(app->ModelInPak);
    EXPECT_EQ(Skin(0).Pixels[1], 30);  // pak1 over pak0
    EXPECT_EQ(Skin(0).OnDisk, InPak);
    EXPECT_EQ(Skin(1).Pixels[1], 40);  // the loose file over both
    EXPECT_EQ(Skin(1).OnDisk, 1u);
    ASSERT_NE(GamePalette(*app), nullptr);
    EXPECT_EQ(*GamePalette(*app), Ramp(true));

    // Each texel goes to the game colour of its colour; 100 is protected, so 10 goes to 245.
    app->ColourLocks[100] = 1;
    app->SelectSkin(0);
    SkinConvertToGamePalette(*app);
    EXPECT_EQ(Skin(0).Pixels[0], 245);
    EXPECT_EQ(Skin(0).Pixels[1], 225);
    EXPECT_EQ(Skin(0).Palette, Ramp(true));
    app->SelectSkin(1);
    SkinUseGamePalette(*app);
    EXPECT_EQ(Skin(1).Pixels[0], 10);
    EXPECT_EQ(Skin(1).Palette, Ramp(true));
    EXPECT_EQ(app->Edits.UndoCount(), 2u);
    app->Edits.Undo(*app);
    EXPECT_EQ(Skin(1).Palette, Ramp(false));

    ASSERT_TRUE(SaveSkin(*app, Skin(0)));
    ASSERT_TRUE(SaveModelFile(*app));
    const std::string path = dir.Path() + "/base/models/sq/";
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{
                  "The skin was read from a pak; it is saved as the loose file " + path +
                      "skin.pcx, which the game reads instead. The pak is left as it was.",
                  "The model was read from a pak; it is saved as the loose file " + path +
                      "tris.md2, which the game reads instead. The pak is left as it was."}));
    const std::unique_ptr<SkinImage> saved = DecodePcx(ByteView(Loose("models/sq/skin.pcx")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Pixels, Skin(0).Pixels);
    EXPECT_EQ(Loose("models/sq/tris.md2"), model);
    EXPECT_EQ(Loose("pak0.pak"), pak0);
    EXPECT_EQ(Loose("pak1.pak"), pak1);
    // Later saves write the loose files without a word.
    EXPECT_EQ(Skin(0).OnDisk, 1u);
    ASSERT_TRUE(SaveSkin(*app, Skin(0)));
    ASSERT_TRUE(SaveModelFile(*app));
    EXPECT_EQ(sys.messages.size(), 2u);
}

TEST_F(GameData, AChangedFileIsReloadedAtOnceWhenSavedAndAfterAYesWhenNot) {
    const std::string file = Base() + "\\models\\sq\\other.pcx";
    EXPECT_EQ(WatchedSkinFiles(*app),
              std::vector<std::string>{dir.Path() + "/base/models/sq/other.pcx"});
    dir.Write("base/models/sq/other.pcx", Image(50, Ramp(false)));
    // Whatever is under way (a stroke) is told to end once, only when something is done.
    int told = 0;
    const auto tell = [&told] { ++told; };
    EXPECT_TRUE(ReloadChangedSkinFile(*app, file, tell));
    EXPECT_EQ(Skin(1).Pixels[1], 50);
    EXPECT_FALSE(IsModified(Skin(1)));
    EXPECT_EQ(app->Edits.UndoLabel(), std::string("Reload Skin"));
    EXPECT_FALSE(ReloadChangedSkinFile(*app, file, tell));  // the same bytes: nothing to take
    EXPECT_EQ(told, 1);

    // Unsaved changes: a No keeps them and is not asked again for the same bytes; a Yes reloads.
    app->SelectSkin(1);
    SkinUseGamePalette(*app);
    dir.Write("base/models/sq/other.pcx", Image(60, Ramp(false)));
    sys.answers = {Answer::No};
    EXPECT_FALSE(ReloadChangedSkinFile(*app, file));
    EXPECT_FALSE(ReloadChangedSkinFile(*app, file));
    EXPECT_EQ(sys.messages.size(), 1u);
    dir.Write("base/models/sq/other.pcx", Image(70, Ramp(false)));
    sys.answers = {Answer::Yes};
    EXPECT_TRUE(ReloadChangedSkinFile(*app, file));
    EXPECT_EQ(Skin(1).Pixels[1], 70);
    EXPECT_EQ(Skin(1).Palette, Ramp(false));
    EXPECT_EQ(sys.messages.size(), 2u);
}

TEST(PackageCheck, APlayerFolderListsWhatTheGameNeedsAndWhatIsWrong) {
    test::TempDir dir;
    test::ScriptedPlatform sys;
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = dir.SystemPath();
    test::TestModel m = test::SquareModel();
    m.skins = {"players\\hero\\Red.pcx"};
    dir.Write("players/hero/tris.md2", test::MakeMd2(m));
    dir.Write("players/hero/red.pcx", test::MakePcx(8, 8));
    dir.Write("pak0.pak", test::MakePak({{"players/hero/blue.pcx", test::MakePcx(8, 500)},
                                         {"players/hero/blue_i.pcx", test::MakePcx(32, 32)},
                                         {"players/hero/weapon.pcx", test::MakePcx(8, 8)}}));
    const PackageReport r = CheckPackage(*app, dir.SystemPath() + "\\players\\hero\\tris.md2");
    EXPECT_EQ(r.Folder, "players/hero");
    EXPECT_TRUE(r.Player);
    EXPECT_EQ(r.Needs,
              (std::vector<std::string>{
                  "tris.md2 - loose file", "weapon.md2 - missing", "weapon.pcx - in pak0.pak",
                  "a menu icon NAME_i.pcx for each skin NAME.pcx - 1 of 2 skins have one"}));
    EXPECT_EQ(r.Problems,
              (std::vector<std::string>{
                  "players/hero/tris.md2 names the skin \"players\\hero\\Red.pcx\" with '\\'; the "
                  "game looks names up with '/'.",
                  "players/hero/Red.pcx is spelled players/hero/red.pcx; the game finds names "
                  "only with the same letter case.",
                  "weapon.md2 is missing.",
                  "players/hero/blue.pcx is 500 texels tall; the original engine refuses skins "
                  "taller than 480.",
                  "players/hero/blue.pcx is 8 x 500 texels; the model's skins are 8 x 8.",
                  "red.pcx has no menu icon red_i.pcx; the game's player menu lists only skins "
                  "that have one."}));
}

}  // namespace
}  // namespace varp
