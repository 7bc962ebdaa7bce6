// Reading a model: tables, frames, skins from the base folder, coordinates pulled onto the skin;
// a damaged file is refused with the message that names its fault and changes nothing.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

const char* const NoSkinsQuestion =
    "This MD2 has no internal skins, would you like to load from it's base folder?";

std::string Damaged(const std::string& what) {
    return "This MD2 is damaged: " + what + ".";
}

std::string TooMany(int count, const std::string& what, int most) {
    return "This MD2 has " + std::to_string(count) + " " + what + ", more than the " +
           std::to_string(most) + " this editor can hold.";
}

class Md2Reader : public ::testing::Test {
  protected:
    Md2Reader() : app(std::make_unique<App>(sys)) { app->BaseFolder = dir.SystemPath(); }
    // Writes the file below the base folder and reads it by its relative name.
    int Load(const Bytes& file, const std::string& name = "m/tris.md2") {
        dir.Write(name, file);
        return LoadModel(*app, name);
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
};

TEST_F(Md2Reader, ReadsTablesFramesAndTheNamedSkin) {
    test::TestModel m = test::SquareModel();
    m.version = 99;  // any version is read
    m.skins = {"m/skin.pcx"};
    m.frames[0].name = "sixteen_letters_";  // fills its field: no end mark
    m.frames[0].vertices[0] = {{1, 2, 3}};  // and the bytes after it are not one
    dir.Write("m/skin.pcx", test::MakePcx(8, 8));
    ASSERT_EQ(Load(test::MakeMd2(m)), 1);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ((std::vector<int>{app->NumTriangles, app->NumVertices, app->NumTexCoords,
                                app->SkinWidth, app->SkinHeight}),
              (std::vector<int>{2, 4, 4, 8, 8}));
    const ModelTriangle& t = app->Triangles[1];
    EXPECT_EQ((std::vector<int>{t.Vertex[2], t.TexCoord[2], static_cast<int>(t.Flags)}),
              (std::vector<int>{3, 3, 0}));
    EXPECT_EQ(t.CornerST[2], (SkinCoord{0, 7}));

    ASSERT_EQ(app->Frames.size(), 1u);
    EXPECT_EQ(app->CurrentFrame, app->Frames[0].get());
    EXPECT_EQ(app->Frames[0]->Name, "sixteen_letters_");
    EXPECT_EQ(app->Frames[0]->Vertices[2], (Vec3{0.0f, 10.0f, 6.0f}));  // byte * scale + shift

    ASSERT_EQ(app->Skins.size(), 1u);
    const SkinImage& skin = *app->Skins[0];
    EXPECT_EQ(skin.Name, "m/skin.pcx");
    EXPECT_EQ(skin.Path, dir.SystemPath() + "\\m\\skin.pcx");
    EXPECT_EQ(skin.OnDisk, 1u);
    EXPECT_EQ(skin.Flags, 0u);
    EXPECT_EQ(skin.Pixels[8 * 2 + 1], 7);  // x + 3y
    EXPECT_EQ(app->CurrentSkin, &skin);
    EXPECT_EQ(app->CurrentSkinIndex, 0);
}

TEST_F(Md2Reader, AMissingOrMisfitSkinBecomesAGreyCheckerboardNamedAsInTheFile) {
    test::TestModel m = test::SquareModel();
    m.skinWidth = 12;
    m.skinHeight = 9;
    m.skins = {"m/gone.pcx", "m/small.pcx"};
    dir.Write("m/small.pcx", test::MakePcx(4, 8));
    ASSERT_EQ(Load(test::MakeMd2(m)), 1);
    EXPECT_EQ(sys.messages, (Texts{"External PCX does not exist....creating temporary skin.",
                                   "Error loading skin: Incorrect dimensions!"}));
    ASSERT_EQ(app->Skins.size(), 2u);
    for (const auto& skin : app->Skins) {
        EXPECT_EQ(skin->OnDisk, 0u);
        EXPECT_EQ(skin->Flags, 0u);
        EXPECT_EQ(skin->Width, 12);
        EXPECT_EQ(skin->Height, 9);
        // Squares of four texels: (0, 0) dark, (4, 0) and (0, 4) light, (4, 4) and (11, 8) dark.
        const Bytes spots = {skin->Pixels[0], skin->Pixels[4], skin->Pixels[48], skin->Pixels[52],
                             skin->Pixels[107]};
        EXPECT_EQ(spots, (Bytes{63, 191, 191, 63, 63}));
        EXPECT_EQ(skin->StoredPixels, skin->Pixels);
        EXPECT_EQ(skin->Palette[3 * 191], 191);
    }
    EXPECT_EQ(app->Skins[0]->Name, "m/gone.pcx");
    EXPECT_EQ(app->Skins[0]->Path, dir.SystemPath() + "\\m/gone.pcx");
}

TEST_F(Md2Reader, AModelWithoutSkinsOffersTheScanOfItsOwnFolder) {
    dir.Write("m/a.pcx", test::MakePcx(8, 8));
    dir.Write("m/b.PCX", test::MakePcx(8, 8));
    dir.Write("m/other.pcx", test::MakePcx(16, 8));
    sys.answers = {Answer::No, Answer::Yes};
    ASSERT_EQ(Load(test::MakeMd2(test::SquareModel())), 1);
    EXPECT_TRUE(app->Skins.empty());
    EXPECT_EQ(app->CurrentSkin, nullptr);
    EXPECT_EQ(app->CurrentSkinIndex, -1);
    ASSERT_EQ(Load(test::MakeMd2(test::SquareModel())), 1);
    EXPECT_EQ(sys.messages, (Texts{NoSkinsQuestion, NoSkinsQuestion}));
    EXPECT_EQ(sys.messageButtons[0], Buttons::YesNo);
    ASSERT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->Skins[0]->Name, dir.SystemPath() + "\\m\\a.pcx");
    EXPECT_EQ(app->Skins[1]->Name, dir.SystemPath() + "\\m\\b.PCX");
    EXPECT_EQ(app->CurrentSkinIndex, 0);
}

TEST_F(Md2Reader, CoordinatesOutsideTheSkinArePulledOntoItsEdgeAndTheUserIsTold) {
    const struct {
        int width, height;
        std::vector<SkinCoord> in, out;
    } cases[] = {
        {8, 8, {{-3, 0}, {8, 2}, {7, 300}, {0, 7}}, {{0, 0}, {7, 2}, {7, 7}, {0, 7}}},
        {8, 8, {{0, 0}, {7, 0}, {7, 9}, {0, 7}}, {{0, 0}, {7, 0}, {7, 7}, {0, 7}}},
        {4, 8, {{0, 0}, {5, 0}, {3, 7}, {0, 7}}, {{0, 0}, {3, 0}, {3, 7}, {0, 7}}},
    };
    for (const auto& c : cases) {
        test::TestModel m = test::SquareModel();
        m.skinWidth = c.width;
        m.skinHeight = c.height;
        m.coords = c.in;
        sys.messages.clear();
        ASSERT_EQ(Load(test::MakeMd2(m)), 1);
        EXPECT_EQ(sys.messages, (Texts{"Some skin coordinates of this MD2 lay outside its skin "
                                       "and were moved to its edge.",
                                       NoSkinsQuestion}));
        EXPECT_EQ(std::vector<SkinCoord>(app->TexCoords, app->TexCoords + app->NumTexCoords),
                  c.out);
        EXPECT_EQ(app->Triangles[1].CornerST[1], c.out[2]);
    }
}

TEST_F(Md2Reader, ARefusedFileChangesNothingAndANewModelKeepsOnlyTheDrawingState) {
    test::TestModel m = test::SquareModel();
    m.skins = {"m/skin.pcx"};
    dir.Write("m/skin.pcx", test::MakePcx(8, 8));
    const Bytes good = test::MakeMd2(m);
    ASSERT_EQ(Load(good), 1);
    app->Mode = ModeMapping;
    app->PaintColour = 9;
    app->ColourLocks[4] = 1;
    app->Triangles[1].Flags = Selected;
    const SkinImage* skin = app->CurrentSkin;

    EXPECT_EQ(Load(Bytes(good.begin(), good.begin() + 100), "m/cut.md2"), 0);
    EXPECT_EQ(LoadModel(*app, "m/none.md2"), 0);
    EXPECT_EQ(sys.messages, (Texts{Damaged("its skin names run past the end of the file"),
                                   "There was an error loading the specified file!"}));
    EXPECT_EQ(app->NumTriangles, 2);
    EXPECT_EQ(app->Triangles[1].Flags, Selected);
    EXPECT_EQ(app->CurrentSkin, skin);
    EXPECT_EQ(app->Skins.size(), 1u);
    EXPECT_EQ(app->Frames.size(), 1u);
    EXPECT_EQ(app->ModelFileImage, good);

    m.triangles = {m.triangles[1], m.triangles[0], m.triangles[0]};
    m.frames.push_back(m.frames[0]);
    ASSERT_EQ(Load(test::MakeMd2(m), "n/tris.md2"), 1);
    EXPECT_EQ(app->NumTriangles, 3);
    EXPECT_EQ(app->Triangles[1].Flags, 0u);
    EXPECT_EQ(app->Frames.size(), 2u);
    EXPECT_EQ(app->Mode, ModeMapping);
    EXPECT_EQ(app->PaintColour, 9);
    EXPECT_EQ(app->ColourLocks[4], 1);
}

TEST(ParseMd2, NamesTheFaultOfADamagedFile) {
    test::TestModel m = test::SquareModel();
    m.skins = {"skin.pcx"};
    const Bytes good = test::MakeMd2(m);
    const auto at = [&](size_t field) { return static_cast<size_t>(ByteView(good).I32(field)); };
    const auto with = [&](size_t offset, int32_t value, bool isShort = false) {
        Bytes f = good;
        isShort ? md2::PutShort(&f[offset], static_cast<int16_t>(value))
                : md2::PutInt(&f[offset], value);
        return f;
    };
    Bytes noEnd = good;
    std::fill_n(noEnd.begin() + static_cast<long>(at(md2::OfsSkins)), 64, 'a');
    const size_t tris = at(md2::OfsTris);
    const auto cut = [&](size_t size) {
        return Bytes(good.begin(), good.begin() + static_cast<long>(size));
    };
    std::vector<std::pair<Bytes, std::string>> cases = {
        {{'I', 'D', 'P', '3', 0, 0, 0, 0}, "This is not an MD2!"},
        {with(md2::NumTris, 4097), TooMany(4097, "triangles", 4096)},
        {with(md2::NumSt, 12289), TooMany(12289, "skin coordinates", 12288)},
        {with(md2::NumXyz, 2049), TooMany(2049, "vertices per frame", 2048)},
        {with(md2::NumFrames, -1), Damaged("its header holds a negative count")},
        {with(md2::NumSkins, INT32_MIN), Damaged("its header holds a negative count")},
        {with(md2::SkinWidth, 0),
         "This MD2 declares a skin of 0 x 8 texels, which this editor cannot show."},
        {with(md2::SkinHeight, 4097),
         "This MD2 declares a skin of 8 x 4097 texels, which this editor cannot show."},
        {with(md2::OfsSt, -4), Damaged("its skin coordinates run past the end of the file")},
        {with(md2::OfsTris, INT32_MAX), Damaged("its triangles run past the end of the file")},
        {with(md2::NumFrames, 1000000), Damaged("its frames run past the end of the file")},
        {with(md2::FrameSize, 44), Damaged("its frame size does not match its vertex count")},
        {noEnd, Damaged("skin name 1 has no end")},
        {with(tris + 12 + 4, 4, true), Damaged("triangle 1 uses vertex 4 of 4")},
        {with(tris + 6, -1, true), Damaged("triangle 0 uses skin coordinate -1 of 4")},
        {with(tris + 12 + 10, 4, true), Damaged("triangle 1 uses skin coordinate 4 of 4")},
        {cut(at(md2::OfsGlCmds)), ""},  // the stored GL commands are not read
    };
    // Every cut before the GL commands, named by the first section it cuts into.
    const std::pair<size_t, std::string> sections[] = {
        {4, "This is not an MD2!"},
        {md2::HeaderSize, Damaged("its header is cut short")},
        {at(md2::OfsSt), Damaged("its skin names run past the end of the file")},
        {at(md2::OfsTris), Damaged("its skin coordinates run past the end of the file")},
        {at(md2::OfsFrames), Damaged("its triangles run past the end of the file")},
        {at(md2::OfsGlCmds), Damaged("its frames run past the end of the file")}};
    for (size_t size = 0, s = 0; size < at(md2::OfsGlCmds); ++size) {
        while (size >= sections[s].first) ++s;
        cases.emplace_back(cut(size), sections[s].second);
    }
    for (const auto& [file, message] : cases) {
        Md2Model model;
        EXPECT_EQ(ParseMd2(file, &model), message) << file.size();
    }
}

}  // namespace
}  // namespace varp
