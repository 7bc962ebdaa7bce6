// The demo base folder that `make run` opens, and the dense benchmark model, read back through
// the system's own readers: nothing to complain about, every coordinate inside the skin, closed
// and outward-facing surfaces, and the sizes and counts the README promises.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/App.h"
#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "formats/Md2Parse.h"
#include "formats/Pcx.h"
#include "sample/Sample.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using test::ReadFileBytes;

class SampleFiles : public ::testing::Test {
  protected:
    // Reads the model; the reader says nothing, so every skin it names is there at the model's
    // size and no coordinate had to be pulled back onto the skin.
    const App& Open(const std::string& model) {
        app = std::make_unique<App>(sys);
        app->BaseFolder = dir.SystemPath();
        EXPECT_EQ(LoadModel(*app, model), 1);
        EXPECT_TRUE(sys.messages.empty()) << sys.messages.front();
        return *app;
    }

    // Every directed edge once and its reverse once: closed surfaces, consistently wound. The
    // corners run clockwise seen from outside, so the signed volume is negative in every frame.
    void ExpectClosedAndFacingOut() const {
        std::map<std::pair<int, int>, int> uses;
        for (int i = 0; i < app->NumTriangles; ++i) {
            const int16_t* v = app->Triangles[i].Vertex;
            for (int k = 0; k < 3; ++k) ++uses[{v[k], v[(k + 1) % 3]}];
        }
        int unpaired = 0;
        for (const auto& [edge, n] : uses) {
            const auto back = uses.find({edge.second, edge.first});
            unpaired += n != 1 || back == uses.end() || back->second != 1;
        }
        EXPECT_EQ(unpaired, 0);
        for (const auto& f : app->Frames) {
            double volume = 0;
            for (int i = 0; i < app->NumTriangles; ++i) {
                const int16_t* v = app->Triangles[i].Vertex;
                const Vec3 &a = f->Vertices[size_t(v[0])], &b = f->Vertices[size_t(v[1])],
                           &c = f->Vertices[size_t(v[2])];
                volume += a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) +
                          a[2] * (b[0] * c[1] - b[1] * c[0]);
            }
            EXPECT_LT(volume, 0.0) << f->Name;
        }
    }

    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
};

TEST_F(SampleFiles, DemoFolderHoldsTheModelAndFiveSkinsAtTheirSizes) {
    std::string error;
    ASSERT_EQ(sample::WriteSampleBaseFolder(dir.Path(), &error), 1) << error;
    const std::string demo = dir.Path() + "/models/demo/";
    EXPECT_EQ(ReadFileBytes(demo + "tris.md2"), sample::SampleModelBytes());
    const char* skins[] = {"skin.pcx", "skin2.pcx", "extras/blue.pcx", "extras/gold.pcx",
                           "extras/small.pcx"};
    for (int i = 0; i < 5; ++i) {
        const std::vector<uint8_t> bytes = ReadFileBytes(demo + skins[i]);
        EXPECT_EQ(bytes, sample::SampleSkinBytes(i)) << skins[i];
        const auto skin = DecodePcx(ByteView(bytes));
        ASSERT_NE(skin, nullptr) << skins[i];
        EXPECT_EQ(skin->Width, i == 4 ? 128 : 256) << skins[i];
        EXPECT_EQ(skin->Height, i == 4 ? 128 : 256) << skins[i];
    }
}

TEST_F(SampleFiles, DemoOpensWithoutAWordWithTwoSkinsAndThreeAnimations) {
    ASSERT_EQ(sample::WriteSampleBaseFolder(dir.Path(), nullptr), 1);
    const App& a = Open("models\\demo\\tris.md2");
    EXPECT_GE(a.NumTriangles, 1200);  // about 1350
    EXPECT_LE(a.NumTriangles, 1500);
    EXPECT_EQ(a.SkinWidth, 256);
    EXPECT_EQ(a.SkinHeight, 256);
    ASSERT_EQ(a.Skins.size(), 2u);
    EXPECT_EQ(a.Skins[0]->Name, "models/demo/skin.pcx");
    EXPECT_EQ(a.Skins[1]->Name, "models/demo/skin2.pcx");
    EXPECT_NE(a.Skins[0]->Pixels, a.Skins[1]->Pixels);
    std::vector<std::string> expected, names;
    for (const char* anim : {"stand", "run", "wave"}) {
        for (int k = 1; k <= 8; ++k) expected.push_back(anim + std::string("0") + char('0' + k));
    }
    for (const auto& f : a.Frames) names.push_back(f->Name);
    EXPECT_EQ(names, expected);
    ExpectClosedAndFacingOut();
    // Every triangle lies on painted skin: index 0 marks skin space that no piece uses.
    for (int i = 0; i < a.NumTriangles; ++i) {
        const SkinCoord* c = a.Triangles[i].CornerST;
        const int s = (c[0].s + c[1].s + c[2].s) / 3, t = (c[0].t + c[1].t + c[2].t) / 3;
        EXPECT_NE(a.Skins[0]->Pixels[size_t(t * 256 + s)], 0) << "triangle " << i;
    }
}

TEST_F(SampleFiles, DemoStandsAbout56UnitsTallAroundTheOriginWhereTheDefaultViewLooks) {
    ASSERT_EQ(sample::WriteSampleBaseFolder(dir.Path(), nullptr), 1);
    const App& a = Open("models\\demo\\tris.md2");
    Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    for (const Vec3& v : a.Frames[0]->Vertices) {
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
    }
    EXPECT_NEAR(lo[2], -27.5f, 0.3f);  // soles
    EXPECT_NEAR(hi[2], 27.5f, 0.3f);   // top of the crest
    EXPECT_NEAR(lo[0] + hi[0], 0.0f, 3.0f);
    EXPECT_NEAR(lo[1] + hi[1], 0.0f, 0.6f);
}

TEST_F(SampleFiles, DenseModelOfFullSizeOpensWithoutAWordAsAClosedTorus) {
    dir.Write("models/dense/tris.md2", sample::DenseModelBytes(4096));
    dir.Write("models/dense/skin.pcx", sample::SampleSkinBytes(0));
    const App& a = Open("models\\dense\\tris.md2");
    EXPECT_EQ(a.NumTriangles, 4096);
    EXPECT_EQ(a.Frames.size(), 2u);
    ExpectClosedAndFacingOut();
}

TEST(DenseModelBytes, HoldsExactlyTheTrianglesAskedForWithinTheEditorsLimit) {
    const int asked[] = {1, 95, 97, 1000, 4096, 0, -5, 5000};
    const int held[] = {1, 95, 97, 1000, 4096, 1, 1, 4096};
    for (size_t i = 0; i < std::size(asked); ++i) {
        const auto bytes = sample::DenseModelBytes(asked[i]);
        Md2Model model;
        ASSERT_EQ(ParseMd2(bytes, &model), "") << asked[i];
        EXPECT_EQ(model.Triangles.size(), static_cast<size_t>(held[i])) << asked[i];
    }
}

}  // namespace
}  // namespace varp
