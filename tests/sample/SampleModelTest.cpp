// The demo base folder read back through the system's own reader: counts, skins, frames,
// winding, framing in the default view and skin coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

class LoadedSample : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_EQ(sample::WriteSampleBaseFolder(dir.Path(), &error), 1) << error;
        app = std::make_unique<App>(platform);
        app->BaseFolder = dir.SystemPath();
        ASSERT_EQ(LoadModel(*app, "models\\demo\\tris.md2"), 1);
    }

    const ModelFrame& Frame(const std::string& name) const {
        for (const auto& f : app->Frames) {
            if (f->Name == name) return *f;
        }
        ADD_FAILURE() << "no frame " << name;
        return *app->Frames.front();
    }

    TempDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<App> app;
};

struct Box {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
};

Box BoundsOf(const ModelFrame& f) {
    Box b;
    for (const Vec3& v : f.Vertices) {
        for (int a = 0; a < 3; ++a) {
            b.lo[a] = std::min(b.lo[a], v[a]);
            b.hi[a] = std::max(b.hi[a], v[a]);
        }
    }
    return b;
}

TEST_F(LoadedSample, ReadsTwoLinkedSkinsFromDiskWithoutAWord) {
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    EXPECT_GE(app->NumTriangles, 400);
    EXPECT_LE(app->NumTriangles, 1500);
    EXPECT_EQ(app->SkinWidth, 256);
    EXPECT_EQ(app->SkinHeight, 256);
    ASSERT_EQ(app->Skins.size(), 2u);
    const char* names[] = {"models/demo/skin.pcx", "models/demo/skin2.pcx"};
    for (size_t i = 0; i < 2; ++i) {
        const SkinImage& skin = *app->Skins[i];
        EXPECT_EQ(skin.Name, names[i]);
        EXPECT_EQ(skin.OnDisk, 1u);
        EXPECT_EQ(skin.Flags, 0u);
        EXPECT_EQ(skin.Width, 256);
        EXPECT_EQ(skin.Height, 256);
    }
    EXPECT_NE(app->Skins[0]->Pixels, app->Skins[1]->Pixels);
    EXPECT_EQ(app->CurrentSkinIndex, 0);
    EXPECT_EQ(app->CurrentFrameIndex, 0);
}

TEST_F(LoadedSample, WritesEachSkinCoordinateOnceSoTheMergeKeepsThemAll) {
    const md2::Header h = md2::ReadHeader(ByteView(app->ModelFileImage));
    EXPECT_EQ(app->NumTexCoords, h.num_st);
    EXPECT_GT(app->NumTexCoords, app->NumTriangles / 2);
}

TEST_F(LoadedSample, NamesStandRunAndWaveFramesTheWayModelToolsDo) {
    std::vector<std::string> expected;
    for (const char* anim : {"stand", "run", "wave"}) {
        for (int k = 1; k <= 8; ++k) {
            expected.push_back(std::string(anim) + (k < 10 ? "0" : "") + std::to_string(k));
        }
    }
    std::vector<std::string> names;
    for (const auto& f : app->Frames) names.push_back(f->Name);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(app->CurrentFrame->Name, "stand01");
}

TEST_F(LoadedSample, QuantisesEveryFrameOverItsOwnBoundingBox) {
    // Each axis of each frame spans the bytes 0 to 255 exactly, so no precision is wasted.
    const md2::Header h = md2::ReadHeader(ByteView(app->ModelFileImage));
    for (int f = 0; f < h.num_frames; ++f) {
        const uint8_t* rec = app->ModelFileImage.data() + h.ofs_frames +
                             static_cast<size_t>(h.framesize) * static_cast<size_t>(f);
        for (int a = 0; a < 3; ++a) {
            int lo = 255, hi = 0;
            for (int v = 0; v < h.num_xyz; ++v) {
                lo = std::min<int>(lo, rec[40 + 4 * v + a]);
                hi = std::max<int>(hi, rec[40 + 4 * v + a]);
            }
            EXPECT_EQ(lo, 0) << "frame " << f << " axis " << a;
            EXPECT_EQ(hi, 255) << "frame " << f << " axis " << a;
        }
    }
}

TEST_F(LoadedSample, StandsAbout56UnitsTallCentredNearTheOrigin) {
    const Box b = BoundsOf(Frame("stand01"));
    EXPECT_NEAR(b.lo[2], -27.5f, 0.3f);  // soles
    EXPECT_NEAR(b.hi[2], 27.5f, 0.3f);   // top of the crest
    EXPECT_NEAR((b.lo[0] + b.hi[0]) / 2, 0.0f, 1.5f);
    EXPECT_NEAR((b.lo[1] + b.hi[1]) / 2, 0.0f, 0.3f);  // left and right alike
    EXPECT_GT(b.hi[1] - b.lo[1], 20.0f);               // shoulders and arms
    EXPECT_LT(b.hi[0] - b.lo[0], 14.0f);               // a body, not a wall
}

TEST_F(LoadedSample, StandingFramesFitTheDefaultViewOfASquarePane) {
    for (const auto& f : app->Frames) {
        if (f->Name.rfind("stand", 0) != 0) continue;
        for (const Vec3& v : f->Vertices) {
            const auto [x, y] = test::DefaultCameraProject(v, 256, 256);
            EXPECT_TRUE(x > 0 && x < 255 && y > 0 && y < 255) << f->Name << " " << x << "," << y;
        }
    }
}

TEST_F(LoadedSample, AnimationsMoveTheLimbs) {
    const Box stand = BoundsOf(Frame("stand01"));
    // Mid-stride the feet are far apart along the direction of running.
    const Box stride = BoundsOf(Frame("run03"));
    EXPECT_GT(stride.hi[0] - stride.lo[0], stand.hi[0] - stand.lo[0] + 8.0f);
    // The right arm (-y) goes up above the head and out to the side.
    const Box wave = BoundsOf(Frame("wave01"));
    EXPECT_GT(wave.hi[2], stand.hi[2] + 1.0f);
    EXPECT_LT(wave.lo[1], stand.lo[1] - 4.0f);
    EXPECT_NEAR(wave.hi[1], stand.hi[1], 1.0f);
    // Breathing moves little, but moves.
    float most = 0;
    const ModelFrame& a = Frame("stand01");
    const ModelFrame& b = Frame("stand05");
    for (size_t i = 0; i < a.Vertices.size(); ++i) {
        for (int c = 0; c < 3; ++c)
            most = std::max(most, std::abs(a.Vertices[i][c] - b.Vertices[i][c]));
    }
    EXPECT_GT(most, 0.3f);
    EXPECT_LT(most, 2.5f);
}

TEST_F(LoadedSample, EveryPieceIsClosedAndWoundTheSameWay) {
    const auto pieces = test::ConnectedPieces(*app);
    EXPECT_GE(pieces.size(), 15u);  // head, torso, hips, two of each limb part at least
    for (size_t p = 0; p < pieces.size(); ++p) {
        EXPECT_EQ(test::UnpairedEdges(*app, pieces[p]), 0) << "piece " << p;
    }
}

TEST_F(LoadedSample, CornersRunClockwiseFromOutsideInEveryFrameAndPiece) {
    const auto pieces = test::ConnectedPieces(*app);
    for (const auto& f : app->Frames) {
        const double whole = test::SignedVolume(*f, *app, test::AllTriangles(*app));
        // Six times the volume of a figure of roughly 2000 cubic units.
        EXPECT_LT(whole, -6.0 * 1000) << f->Name;
        EXPECT_GT(whole, -6.0 * 5000) << f->Name;
        for (size_t p = 0; p < pieces.size(); ++p) {
            EXPECT_LT(test::SignedVolume(*f, *app, pieces[p]), 0.0) << f->Name << " piece " << p;
        }
    }
}

TEST_F(LoadedSample, TheDefaultCameraSeesTheFrontOfTheCharacter) {
    // The triangles that reach furthest toward the eye (chest, face, toes) all face it.
    const ModelFrame& f = Frame("stand01");
    std::vector<std::pair<float, int>> byReach;
    int visible = 0;
    for (int i = 0; i < app->NumTriangles; ++i) {
        const ModelTriangle& t = app->Triangles[i];
        float x = 0;
        for (int k = 0; k < 3; ++k) x += f.Vertices[static_cast<size_t>(t.Vertex[k])][0];
        byReach.emplace_back(x / 3, i);
        visible += test::DefaultCameraDet(f, t) < 0.0;
    }
    std::sort(byReach.rbegin(), byReach.rend());
    for (size_t n = 0; n < 40; ++n) {
        EXPECT_LT(test::DefaultCameraDet(f, app->Triangles[byReach[n].second]), 0.0)
            << "front triangle " << byReach[n].second;
    }
    // A closed figure shows the eye about half of its faces.
    EXPECT_GT(visible, app->NumTriangles * 2 / 5);
    EXPECT_LT(visible, app->NumTriangles * 3 / 5);
}

TEST_F(LoadedSample, TheFaceOfTheSkinLooksTowardTheCamera) {
    // The head's rectangle is 96 x 80 texels at the skin's top left; its middle columns and
    // rows hold the face, its outer columns the back of the helmet.
    const ModelFrame& f = Frame("stand01");
    int face = 0, nape = 0;
    for (int i = 0; i < app->NumTriangles; ++i) {
        const ModelTriangle& t = app->Triangles[i];
        bool inFace = true, inNape = true;
        for (const SkinCoord& c : t.CornerST) {
            inFace &= c.s >= 32 && c.s <= 63 && c.t >= 33 && c.t <= 69;
            inNape &= (c.s <= 16 || (c.s >= 79 && c.s <= 95)) && c.t >= 21 && c.t <= 69;
        }
        if (inFace) {
            ++face;
            EXPECT_LT(test::DefaultCameraDet(f, t), 0.0) << "face triangle " << i;
        }
        if (inNape) {
            ++nape;
            EXPECT_GT(test::DefaultCameraDet(f, t), 0.0) << "nape triangle " << i;
        }
    }
    EXPECT_GE(face, 12);
    EXPECT_GE(nape, 12);
}

TEST_F(LoadedSample, EveryCornerLandsOnAPaintedTexel) {
    // That every coordinate lies inside the skin the silent read shows: the reader says when it
    // pulls one onto the edge. Index 0 marks skin space that no piece uses.
    const SkinImage& skin = *app->Skins[0];
    for (int i = 0; i < app->NumTriangles; ++i) {
        const ModelTriangle& t = app->Triangles[i];
        const int s = (t.CornerST[0].s + t.CornerST[1].s + t.CornerST[2].s) / 3;
        const int tt = (t.CornerST[0].t + t.CornerST[1].t + t.CornerST[2].t) / 3;
        EXPECT_NE(skin.Pixels[static_cast<size_t>(tt * 256 + s)], 0) << "triangle " << i;
    }
}

TEST_F(LoadedSample, SharesCornersWithinPiecesSoTheGlCommandsFormLongRuns) {
    // Each triangle on its own would cost ten words; strips and fans share corners.
    const md2::Header h = md2::ReadHeader(ByteView(app->ModelFileImage));
    EXPECT_LT(h.num_glcmds, 5 * h.num_tris);
}

TEST(SampleBaseFolder, HoldsTheModelAndEverySkinAsMade) {
    TempDir dir;
    std::string error;
    ASSERT_EQ(sample::WriteSampleBaseFolder(dir.Path(), &error), 1) << error;
    const std::string demo = dir.Path() + "/models/demo/";
    const char* skins[] = {"skin.pcx", "skin2.pcx", "extras/blue.pcx", "extras/gold.pcx",
                           "extras/small.pcx"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(test::ReadFileBytes(demo + skins[i]), sample::SampleSkinBytes(i)) << skins[i];
    }
    EXPECT_EQ(test::ReadFileBytes(demo + "tris.md2"), sample::SampleModelBytes());
}

TEST(SampleBaseFolder, SaysWhyInOneLineWhenTheFolderCannotBeMade) {
    TempDir dir;
    const std::string blocker = dir.Write("blocker", {1, 2, 3});
    std::string error;
    EXPECT_EQ(sample::WriteSampleBaseFolder(blocker + "/base", &error), 0);
    EXPECT_NE(error.find(blocker), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(blocker + "/base"));
}

TEST(MeshChecks, AgreeWithTheViewsWorkedExample) {
    // Corners (0, 0, 10), (0, 10, 0), (0, -10, 0) face the default eye with det -20000; the
    // reverse order is culled. (0, 10, 0) projects to (116, 50) in a 200 x 100 pane.
    ModelFrame f;
    f.Vertices = {{0, 0, 10}, {0, 10, 0}, {0, -10, 0}};
    ModelTriangle t;
    t.Vertex[0] = 0;
    t.Vertex[1] = 1;
    t.Vertex[2] = 2;
    EXPECT_NEAR(test::DefaultCameraDet(f, t), -20000.0, 1e-6);
    std::swap(t.Vertex[1], t.Vertex[2]);
    EXPECT_NEAR(test::DefaultCameraDet(f, t), 20000.0, 1e-6);
    EXPECT_EQ(test::DefaultCameraProject({0, 10, 0}, 200, 100), (std::array<int, 2>{116, 50}));
    EXPECT_EQ(test::DefaultCameraProject({-50, 0, 10}, 200, 100), (std::array<int, 2>{100, 61}));
}

}  // namespace
}  // namespace varp
