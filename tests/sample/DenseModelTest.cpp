// The dense benchmark model: exact triangle counts, consistent winding, and no word from the
// reader (which would name coordinates outside the skin).
#include <gtest/gtest.h>

#include <memory>

#include "app/App.h"
#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "sample/MeshChecks.h"
#include "sample/Sample.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using test::ScriptedPlatform;
using test::TempDir;

// Writes the dense model with its skin into a fresh base folder and reads it.
class DenseModel : public ::testing::Test {
  protected:
    int Load(int triangles) {
        dir.Write("models/dense/tris.md2", sample::DenseModelBytes(triangles));
        dir.Write("models/dense/skin.pcx", sample::SampleSkinBytes(0));
        app = std::make_unique<App>(platform);
        app->BaseFolder = dir.SystemPath();
        return LoadModel(*app, "models\\dense\\tris.md2");
    }

    TempDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<App> app;
};

TEST_F(DenseModel, FullSizeLoadsAsAClosedTorus) {
    ASSERT_EQ(Load(4096), 1);
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    EXPECT_EQ(app->NumTriangles, 4096);
    EXPECT_EQ(app->NumVertices, 2048);
    ASSERT_EQ(app->Skins.size(), 1u);
    EXPECT_EQ(app->Skins[0]->Name, "models/dense/skin.pcx");
    EXPECT_EQ(app->Skins[0]->OnDisk, 1u);
    ASSERT_EQ(app->Frames.size(), 2u);
    EXPECT_EQ(app->Frames[0]->Name, "dense01");
    EXPECT_EQ(app->Frames[1]->Name, "dense02");
    EXPECT_EQ(test::UnpairedEdges(*app, test::AllTriangles(*app)), 0);
    for (const auto& f : app->Frames) {
        EXPECT_LT(test::SignedVolume(*f, *app, test::AllTriangles(*app)), 0.0) << f->Name;
    }
}

TEST_F(DenseModel, CutShortStaysConsistentlyWound) {
    ASSERT_EQ(Load(1000), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(app->NumTriangles, 1000);
    EXPECT_EQ(test::RepeatedEdges(*app), 0);
}

TEST(DenseModelBytes, HoldsExactlyTheTrianglesAskedForWithinTheEditorsLimit) {
    const int asked[] = {1, 2, 95, 96, 97, 1000, 4095, 4096, 0, -5, 5000};
    const int held[] = {1, 2, 95, 96, 97, 1000, 4095, 4096, 1, 1, 4096};
    for (size_t i = 0; i < std::size(asked); ++i) {
        const auto bytes = sample::DenseModelBytes(asked[i]);
        Md2Model model;
        ASSERT_EQ(ParseMd2(bytes, &model), "") << asked[i];
        const md2::Header h = md2::ReadHeader(ByteView(bytes));
        EXPECT_EQ(h.num_tris, held[i]) << asked[i];
        EXPECT_LE(h.num_xyz, 2048) << asked[i];
    }
}

}  // namespace
}  // namespace varp
