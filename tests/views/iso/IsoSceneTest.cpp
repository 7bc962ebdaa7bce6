// Whole renders of the demo model under cameras that stress the clippers, each pinned by a
// checksum of its colour and depth buffers, and the depth range every render must keep.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/App.h"
#include "commands/ModelFiles.h"
#include "sample/Sample.h"
#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "views/iso/IsoBox.h"

namespace varp::test {
namespace {

struct Scene {
    const char* name;
    int width, height, frame;
    int orbitX, orbitY, dolly;
    int mode;
    uint64_t colourSum, depthSum;  // FNV-1a of the colour and depth buffers
};

void PrintTo(const Scene& s, std::ostream* os) {
    *os << s.name;
}

template <class T>
uint64_t Fnv(const std::vector<T>& values) {
    uint64_t h = 1469598103934665603ull;
    for (const T& v : values) {
        for (size_t b = 0; b < sizeof(T); ++b) {
            h = (h ^ ((static_cast<uint64_t>(v) >> (8 * b)) & 0xFF)) * 1099511628211ull;
        }
    }
    return h;
}

// The demo folder is written once for the whole suite.
class IsoScene : public testing::TestWithParam<Scene> {
  protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        ASSERT_EQ(sample::WriteSampleBaseFolder(folder->Path(), nullptr), 1);
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }

    // The scene drawn as the 3D view's drags would leave it.
    std::unique_ptr<IsoBox> Draw(const Scene& s) {
        app->BaseFolder = folder->SystemPath();
        EXPECT_EQ(LoadModel(*app, "models\\demo\\tris.md2"), 1);
        app->SelectFrame(s.frame);
        app->Mode = s.mode;
        auto box = std::make_unique<IsoBox>(*app, host);
        host.pane = box.get();
        box->ViewCamera.BeginOrbit();
        box->ViewCamera.Orbit(s.orbitX, s.orbitY);
        box->ViewCamera.Dolly(s.dolly);
        box->OnSize(s.width, s.height);  // a Full render
        return box;
    }

    static TempDir* folder;
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    FakePaneHost host;
};
TempDir* IsoScene::folder = nullptr;

// Every drawn pixel's depth lies between the nearest corner (0) and the farthest (16384):
// bisecting an edge between two far corners must not wrap to a negative depth, which would put
// the farthest surface over nearer ones along the pane's border.
TEST_P(IsoScene, KeepsEveryDepthBetweenTheCornersAndDrawsItsGoldenPicture) {
    const Scene& s = GetParam();
    const auto box = Draw(s);
    long outside = 0;
    for (uint16_t d : box->DepthBuffer) outside += d != 0xFFFF && d > 16384;
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(Fnv(box->PixelBuffer), s.colourSum);
    EXPECT_EQ(Fnv(box->DepthBuffer), s.depthSum);
}

const Scene Scenes[] = {
    {"FrontAtRest", 320, 240, 0, 0, 0, 0, ModeMix, 10858185644778826905ull, 1008756811475985424ull},
    {"MappingFromAbove", 256, 200, 3, 120, -150, -200, ModeMapping, 2069819818211082715ull,
     4029158929751052451ull},
    {"PaintCloseUp", 300, 200, 5, -300, 40, -700, ModePaint, 14106037765768843879ull,
     3875403526923394049ull},
    // Close in on frame 9: edges between two corners on the far plane cross the left border.
    {"FarEdgesOnTheBorder", 200, 300, 9, 900, 0, -943, ModeMix, 2886420831551648795ull,
     8524992417694396288ull},
};

INSTANTIATE_TEST_SUITE_P(Demo, IsoScene, testing::ValuesIn(Scenes),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace varp::test
