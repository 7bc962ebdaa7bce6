// Writing the model back: rebuilt sections, copied frames, skin names that do not fit.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "formats/Md2Layout.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using test::GetField;

class Md2Writer : public ::testing::Test {
  protected:
    Md2Writer() : app(std::make_unique<App>(sys)) {
        app->BaseFolder = dir.SystemPath();
        model = test::SquareModel();
        model.version = 6;
        model.skins = {"models\\a.pcx", "models/b.pcx"};
        model.coords = {{0, 0}, {7, 0}, {7, 0}, {7, 7}, {0, 7}};  // a duplicate to merge
        model.triangles = {test::Tri(0, 1, 2, 0, 1, 3), test::Tri(0, 2, 3, 0, 3, 4)};
        model.frames.push_back(model.frames[0]);
        model.frames[1].name = "base02";
        model.frames[1].vertices[1] = {{9, 9, 9}};
        original = test::MakeMd2(model);
        dir.Write("tris.md2", original);
        EXPECT_EQ(LoadModel(*app, "tris.md2"), 1);
        sys.messages.clear();
    }
    std::vector<uint8_t> Saved(const std::string& name = "out.md2") {
        EXPECT_EQ(SaveModel(*app, dir.SystemPath() + "\\" + name), 1);
        return test::ReadFileBytes(dir.Path() + "/" + name);
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    test::TestModel model;
    std::vector<uint8_t> original;
};

TEST_F(Md2Writer, KeepsIdentityVersionAndFramesAndRebuildsTheRest) {
    const std::vector<uint8_t> out = Saved();
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 8, original.begin()));
    EXPECT_EQ(GetField(out, md2::SkinWidth), 8);
    EXPECT_EQ(GetField(out, md2::SkinHeight), 8);
    EXPECT_EQ(GetField(out, md2::FrameSize), 56);
    EXPECT_EQ(GetField(out, md2::NumSkins), 2);
    EXPECT_EQ(GetField(out, md2::NumXyz), 4);
    EXPECT_EQ(GetField(out, md2::NumSt), 4);  // merged
    EXPECT_EQ(GetField(out, md2::NumTris), 2);
    EXPECT_EQ(GetField(out, md2::NumFrames), 2);
    EXPECT_EQ(GetField(out, md2::OfsSkins), 68);
    EXPECT_EQ(GetField(out, md2::OfsSt), 68 + 128);
    EXPECT_EQ(GetField(out, md2::OfsTris), 196 + 16);
    EXPECT_EQ(GetField(out, md2::OfsFrames), 212 + 24);
    EXPECT_EQ(GetField(out, md2::OfsGlCmds), 236 + 112);
    EXPECT_EQ(GetField(out, md2::OfsEnd), static_cast<int32_t>(out.size()));
    EXPECT_EQ(GetField(out, md2::OfsEnd), 348 + 4 * GetField(out, md2::NumGlCmds));
    // The frame section is byte for byte the one that was read.
    const auto frames = original.begin() + GetField(original, md2::OfsFrames);
    EXPECT_TRUE(std::equal(frames, frames + 112, out.begin() + 236));
    // Names as held, NUL-padded.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data() + 68)), "models\\a.pcx");
    EXPECT_EQ(out[68 + 64 + 12], 0);
    // Triangles re-indexed to the merged table: triangle 1 = vertices 0 2 3, points 0 2 3.
    const ByteView tri1 = ByteView(out).From(212 + 12);
    const int16_t expected[6] = {0, 2, 3, 0, 2, 3};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(tri1.I16(2 * i), expected[i]);
}

TEST_F(Md2Writer, AResavedModelReadsBackToTheSameWorkspace) {
    const std::vector<uint8_t> out = Saved();
    auto again = std::make_unique<App>(sys);
    again->BaseFolder = dir.SystemPath();
    ASSERT_EQ(LoadModel(*again, "out.md2"), 1);
    EXPECT_EQ(again->NumTexCoords, app->NumTexCoords);
    for (int i = 0; i < app->NumTriangles; ++i) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(again->Triangles[i].Vertex[k], app->Triangles[i].Vertex[k]);
            EXPECT_EQ(again->Triangles[i].TexCoord[k], app->Triangles[i].TexCoord[k]);
            EXPECT_EQ(again->Triangles[i].CornerST[k], app->Triangles[i].CornerST[k]);
        }
    }
    ASSERT_EQ(again->Frames.size(), 2u);
    EXPECT_EQ(again->Frames[1]->Name, "base02");
    EXPECT_EQ(again->Frames[1]->Vertices, app->Frames[1]->Vertices);
    // Written once more, the file does not change.
    EXPECT_EQ(SaveModel(*again, dir.SystemPath() + "\\twice.md2"), 1);
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/twice.md2"), out);
}

TEST_F(Md2Writer, UnlinkedSkinsAreLeftOut) {
    app->Skins[0]->Flags = Unlinked;
    std::vector<uint8_t> out = Saved();
    EXPECT_EQ(GetField(out, md2::NumSkins), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data() + 68)), "models/b.pcx");
    app->Skins[1]->Flags = Unlinked;
    out = Saved();
    EXPECT_EQ(GetField(out, md2::NumSkins), 0);
    EXPECT_EQ(GetField(out, md2::OfsSt), 68);
}

TEST_F(Md2Writer, ASkinNameThatDoesNotFitIsRefusedBeforeAnythingIsWritten) {
    app->Skins[1]->Name = std::string(64, 'n');
    EXPECT_EQ(SaveModel(*app, dir.SystemPath() + "\\out.md2"), 0);
    EXPECT_EQ(sys.messages,
              std::vector<std::string>{"The skin name \"" + std::string(64, 'n') +
                                       "\" is too long for a model file (63 characters at most)."});
    EXPECT_TRUE(test::ReadFileBytes(dir.Path() + "/out.md2").empty());
    app->Skins[1]->Name = std::string(63, 'n');
    EXPECT_EQ(GetField(Saved(), md2::NumSkins), 2);
}

}  // namespace
}  // namespace varp
