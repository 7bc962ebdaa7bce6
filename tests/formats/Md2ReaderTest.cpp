// Reading a model: tables, merged coordinates, frames, skins from the base folder.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class Md2Reader : public ::testing::Test {
  protected:
    Md2Reader() : app(std::make_unique<App>(sys)) { app->BaseFolder = dir.SystemPath(); }
    // Writes the model below the base folder and reads it by its relative name.
    int Load(const test::TestModel& m, const std::string& rel = "models/x/tris.md2") {
        dir.Write(rel, test::MakeMd2(m));
        std::string name = rel;
        std::replace(name.begin(), name.end(), '/', '\\');
        return LoadModel(*app, name);
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
};

TEST_F(Md2Reader, ReadsTablesFramesAndTheNamedSkin) {
    test::TestModel m = test::SquareModel();
    m.skins = {"models/x/skin.pcx"};
    m.version = 99;  // any version is read
    dir.Write("models/x/skin.pcx", test::MakePcx(8, 8));
    ASSERT_EQ(Load(m), 1);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(app->ModelLoaded, 1);
    EXPECT_EQ(app->NumTriangles, 2);
    EXPECT_EQ(app->NumVertices, 4);
    EXPECT_EQ(app->NumTexCoords, 4);
    EXPECT_EQ(app->SkinWidth, 8);
    EXPECT_EQ(app->SkinHeight, 8);
    EXPECT_EQ(app->Triangles[1].Vertex[2], 3);
    EXPECT_EQ(app->Triangles[1].TexCoord[2], 3);
    EXPECT_EQ(app->Triangles[1].CornerST[2], (SkinCoord{0, 7}));
    EXPECT_EQ(app->Triangles[1].Flags, 0u);

    ASSERT_EQ(app->Frames.size(), 1u);
    EXPECT_EQ(app->CurrentFrame, app->Frames[0].get());
    EXPECT_EQ(app->CurrentFrameIndex, 0);
    EXPECT_EQ(app->Frames[0]->Name, "base01");
    // x = byte * 0.5, y = byte, z = byte - 4
    EXPECT_EQ(app->Frames[0]->Vertices[2], (Vec3{0.0f, 10.0f, 6.0f}));

    ASSERT_EQ(app->Skins.size(), 1u);
    const SkinImage& skin = *app->Skins[0];
    EXPECT_EQ(skin.Name, "models/x/skin.pcx");
    EXPECT_EQ(skin.Path, dir.SystemPath() + "\\models\\x\\skin.pcx");
    EXPECT_EQ(skin.OnDisk, 1u);
    EXPECT_EQ(skin.Flags, 0u);
    EXPECT_EQ(skin.Pixels[8 * 2 + 1], 7);  // x + 3y
    EXPECT_EQ(app->CurrentSkin, &skin);
    EXPECT_EQ(app->CurrentSkinIndex, 0);
}

TEST_F(Md2Reader, AMissingSkinBecomesAGreyCheckerboardNamedAsInTheFile) {
    test::TestModel m = test::SquareModel();
    m.skinWidth = 12;
    m.skinHeight = 9;
    m.skins = {"models/x/gone.pcx", "models/x/small.pcx"};
    dir.Write("models/x/small.pcx", test::MakePcx(4, 8));
    ASSERT_EQ(Load(m), 1);
    EXPECT_EQ(sys.messages,
              (std::vector<std::string>{"External PCX does not exist....creating temporary skin.",
                                        "Error loading skin: Incorrect dimensions!"}));
    ASSERT_EQ(app->Skins.size(), 2u);
    for (const auto& skin : app->Skins) {
        EXPECT_EQ(skin->OnDisk, 0u);
        EXPECT_EQ(skin->Flags, 0u);
        EXPECT_EQ(skin->Width, 12);
        EXPECT_EQ(skin->Height, 9);
        // Squares of four texels: (0, 0) dark, (4, 0) and (0, 4) light, (4, 4) and (11, 8) dark.
        const std::vector<uint8_t> spots = {skin->Pixels[0], skin->Pixels[4], skin->Pixels[48],
                                            skin->Pixels[52], skin->Pixels[107]};
        EXPECT_EQ(spots, (std::vector<uint8_t>{63, 191, 191, 63, 63}));
        EXPECT_EQ(skin->StoredPixels, skin->Pixels);
        EXPECT_EQ(skin->Palette[3 * 191], 191);
    }
    EXPECT_EQ(app->Skins[0]->Name, "models/x/gone.pcx");
    EXPECT_EQ(app->Skins[0]->Path, dir.SystemPath() + "\\models/x/gone.pcx");
}

TEST_F(Md2Reader, AModelWithoutSkinsOffersTheScanOfItsOwnFolder) {
    dir.Write("models/x/a.pcx", test::MakePcx(8, 8));
    dir.Write("models/x/b.PCX", test::MakePcx(8, 8));
    dir.Write("models/x/other.pcx", test::MakePcx(16, 8));
    const char* question =
        "This MD2 has no internal skins, would you like to load from it's base folder?";

    sys.answers = {Answer::No};
    ASSERT_EQ(Load(test::SquareModel()), 1);
    EXPECT_EQ(sys.messages, std::vector<std::string>{question});
    EXPECT_EQ(sys.messageButtons[0], Buttons::YesNo);
    EXPECT_TRUE(app->Skins.empty());
    EXPECT_EQ(app->CurrentSkin, nullptr);
    EXPECT_EQ(app->CurrentSkinIndex, -1);
    EXPECT_EQ(app->NumTriangles, 2);

    sys.messages.clear();
    sys.answers = {Answer::Yes};
    ASSERT_EQ(Load(test::SquareModel()), 1);
    EXPECT_EQ(sys.messages, std::vector<std::string>{question});
    ASSERT_EQ(app->Skins.size(), 2u);
    EXPECT_EQ(app->Skins[0]->Name, dir.SystemPath() + "\\models\\x\\a.pcx");
    EXPECT_EQ(app->CurrentSkinIndex, 0);
}

TEST_F(Md2Reader, CoordinatesOutsideTheSkinArePulledOntoItsEdgeAndTheUserIsTold) {
    test::TestModel m = test::SquareModel();
    m.coords = {{-3, 0}, {8, 2}, {7, 300}, {0, 7}};
    m.skins = {"skin.pcx"};
    dir.Write("skin.pcx", test::MakePcx(8, 8));
    ASSERT_EQ(Load(m), 1);
    EXPECT_EQ(sys.messages, std::vector<std::string>{
                                "Some skin coordinates of this MD2 lay outside its skin and were "
                                "moved to its edge."});
    EXPECT_EQ(app->Triangles[0].CornerST[0], (SkinCoord{0, 0}));
    EXPECT_EQ(app->Triangles[0].CornerST[1], (SkinCoord{7, 2}));
    EXPECT_EQ(app->Triangles[0].CornerST[2], (SkinCoord{7, 7}));
}

TEST_F(Md2Reader, ANewModelReplacesTheOldButKeepsTheDrawingState) {
    test::TestModel m = test::SquareModel();
    m.skins = {"models/x/skin.pcx"};
    dir.Write("models/x/skin.pcx", test::MakePcx(8, 8));
    ASSERT_EQ(Load(m), 1);
    app->Mode = ModeMapping;
    app->PaintColour = 9;
    app->ColourLocks[4] = 1;
    app->Triangles[0].Flags = Selected;
    test::TestModel other = test::SquareModel();
    other.triangles.pop_back();
    other.frames.push_back(other.frames[0]);
    other.frames[1].name = "base02";
    ASSERT_EQ(Load(other, "models/y/tris.md2"), 1);
    EXPECT_EQ(app->NumTriangles, 1);
    EXPECT_EQ(app->Triangles[0].Flags, 0u);
    EXPECT_EQ(app->Frames.size(), 2u);
    EXPECT_EQ(app->Frames[1]->Name, "base02");
    EXPECT_EQ(app->Mode, ModeMapping);
    EXPECT_EQ(app->PaintColour, 9);
    EXPECT_EQ(app->ColourLocks[4], 1);
}

}  // namespace
}  // namespace varp
