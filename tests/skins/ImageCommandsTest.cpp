// The picture commands through a scripted platform: the questions asked, the texels imported,
// the undo step, the files written.
#include <gtest/gtest.h>

#include <map>

#include "commands/ModelFiles.h"
#include "skins/ImageCommands.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

// Pictures read from memory by path; the PNGs written kept as their indices or colours.
class PicturePlatform : public test::ScriptedPlatform {
  public:
    struct Codec : ImageCodec {
        bool Read(const std::string& path, RgbaPicture* p, std::string* problem) override {
            if (!pictures.count(path)) *problem = "No picture.";
            return pictures.count(path) && (*p = pictures[path], true);
        }
        bool WritePng(const std::string& path, const PictureToWrite& p, std::string*) override {
            const size_t n = size_t(p.Width * p.Height);
            written[path] = p.Colours ? std::vector<uint8_t>(&p.Colours->r, &p.Colours->r + 4 * n)
                                      : std::vector<uint8_t>(p.Indices, p.Indices + n);
            return true;
        }
        std::map<std::string, RgbaPicture> pictures;
        std::map<std::string, std::vector<uint8_t>> written;
    } codec;
    int ChooseItem(const std::string&, const std::string&, const std::vector<std::string>& items,
                   int) override {
        offered.push_back(items);
        if (choices.empty()) return -1;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }
    ImageCodec* Images() override { return &codec; }
    std::deque<int> choices;
    std::vector<std::vector<std::string>> offered;
};

class ImageCommands : public ::testing::Test {
  protected:
    ImageCommands() : app(std::make_unique<App>(sys)) {
        test::TestModel m = test::SquareModel();
        m.skins = {"models\\sq\\skin.pcx"};
        dir.Write("base/models/sq/tris.md2", test::MakeMd2(m));
        dir.Write("base/models/sq/skin.pcx", test::MakePcx(8, 8));
        app->BaseFolder = dir.SystemPath() + "\\base";
        EXPECT_EQ(LoadModel(*app, "models\\sq\\tris.md2"), 1);
    }
    // A picture whose pixel (x, y) has the colour of palette entry f(x, y).
    template <typename F>
    void Picture(const std::string& path, int w, int h, F f) {
        RgbaPicture& p = sys.codec.pictures[path] = {w, h, {}};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int i = f(x, y);
                p.Pixels.push_back({uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 255});
            }
    }
    test::TempDir dir;
    PicturePlatform sys;
    std::unique_ptr<App> app;
};

TEST_F(ImageCommands, ImportIntoTheSkinScalesAfterAskingKeepsProtectedTexelsAndUndoes) {
    const std::vector<uint8_t> before = app->CurrentSkin->Pixels;
    app->ColourLocks[3] = 1;  // texels (3, 0) and (0, 1)
    Picture("P:\\small.png", 4, 4, [](int x, int y) { return 100 + 4 * y + x; });
    sys.fileDialogResults = {"P:\\small.png"};
    sys.answers = {Answer::Yes};
    SkinImportImage(*app);
    EXPECT_EQ(sys.messages, (std::vector<std::string>{
                                "The picture is 4 x 4 and the skin 8 x 8.\nScale the picture to "
                                "the skin's size (nearest neighbour)?"}));
    EXPECT_TRUE(sys.offered.empty());  // every colour is in the palette: nothing to choose
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(app->CurrentSkin->Pixels[size_t(8 * y + x)],
                      x + 3 * y == 3 ? 3 : 100 + 4 * (y / 2) + x / 2);
    EXPECT_STREQ(app->Edits.UndoLabel(), "Import Image");
    EXPECT_TRUE(IsModified(*app->CurrentSkin));
    app->Edits.Undo(*app);
    EXPECT_EQ(app->CurrentSkin->Pixels, before);

    // Refused, answered No, or the colour question cancelled: nothing changes.
    Picture("P:\\off.png", 8, 8, [](int, int) { return 0; });
    sys.codec.pictures["P:\\off.png"].Pixels[5].g = 7;
    sys.fileDialogResults = {"P:\\none.png", "P:\\small.png", "P:\\off.png"};
    sys.answers = {Answer::No};
    for (int i = 0; i < 3; ++i) SkinImportImage(*app);
    ASSERT_EQ(sys.messages.size(), 3u);
    EXPECT_EQ(sys.messages[1], "No picture.");
    EXPECT_EQ(sys.offered, (std::vector<std::vector<std::string>>{
                               {"The nearest colours", "The nearest colours, dithered"}}));
    EXPECT_EQ(app->CurrentSkin->Pixels, before);
    EXPECT_EQ(app->Edits.UndoCount(), 0u);
}

TEST_F(ImageCommands, ImportAsNewSkinAddsAnUnsavedUnlinkedSkinThatUndoTakesAway) {
    Picture("P:\\art.png", 8, 8, [](int x, int y) { return 7 * x + y; });
    sys.fileDialogResults = {"P:\\art.png"};
    SkinImportImageAsNew(*app);
    ASSERT_EQ(app->Skins.size(), 2u);
    const SkinImage& skin = *app->CurrentSkin;
    EXPECT_EQ(app->CurrentSkinIndex, 1);
    EXPECT_EQ(skin.Name, "P:\\art.png");
    EXPECT_EQ(skin.Flags, Unlinked);
    EXPECT_TRUE(IsModified(skin));
    EXPECT_EQ(skin.Pixels[8 * 2 + 5], 37);
    EXPECT_EQ(skin.Palette, app->Skins[0]->Palette);
    EXPECT_STREQ(app->Edits.UndoLabel(), "Import Image as Skin");
    app->Edits.Undo(*app);
    EXPECT_EQ(app->Skins.size(), 1u);
}

TEST_F(ImageCommands, ExportWritesTheKindAndScaleChosenUnderTheSkinsName) {
    const std::string out = dir.SystemPath() + "\\out";
    sys.fileDialogResults = {out, out};
    sys.choices = {0, 10};  // PNG in the palette; 32-bit TGA, 2x
    SkinExportImage(*app);
    SkinExportImage(*app);
    ASSERT_EQ(sys.offered.size(), 2u);
    EXPECT_EQ(sys.offered[0].size(), 17u);
    EXPECT_EQ(sys.offered[0][0], "PNG in the skin's palette (8-bit), 1x (8 x 8)");
    EXPECT_EQ(sys.offered[0][10], "32-bit TGA, 2x (16 x 16)");
    EXPECT_EQ(sys.fileDialogs[0].InitialName, "skin.png");
    EXPECT_EQ(sys.fileDialogs[1].InitialName, "skin.tga");
    EXPECT_EQ(sys.codec.written[out + ".png"], app->CurrentSkin->Pixels);
    const auto tga = test::ReadFileBytes(dir.Path() + "/out.tga");
    ASSERT_EQ(tga.size(), 18u + 16 * 16 * 4 + 26);
    EXPECT_EQ(tga[12], 16);
    // Texel (1, 0) = entry 1 = (1, 254, 0), in pixels 2 and 3 of the top row: BGRA.
    EXPECT_EQ(std::vector<uint8_t>(tga.begin() + 18 + 8, tga.begin() + 18 + 16),
              (std::vector<uint8_t>{0, 254, 1, 255, 0, 254, 1, 255}));
}

}  // namespace
}  // namespace varp
