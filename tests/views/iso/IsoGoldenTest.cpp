// Whole renders of the demo models, byte for byte against the reference renderer in
// IsoReference.cpp (a literal one-triangle-at-a-time rendering written only from the documented
// steps, sharing no code with the pane but the rasterizer's fillers and lines).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "views/SamePixels.h"
#include "views/iso/IsoFixture.h"
#include "views/iso/IsoReference.h"

namespace varp::test {
namespace {

struct GoldenScene {
    const char* name;
    int dense;  // 0: the demo character; else a torus of this many triangles
    int frame;
    int width, height;  // client size
    int orbitX, orbitY, dolly;
    int mapping;
};

void PrintTo(const GoldenScene& s, std::ostream* os) {
    *os << s.name;
}

class IsoGolden : public testing::TestWithParam<GoldenScene> {};

TEST_P(IsoGolden, RenderMatchesTheReferenceByteForByte) {
    const GoldenScene& scene = GetParam();
    IsoFixture f;
    ASSERT_EQ(scene.dense ? f.LoadDense(scene.dense) : f.LoadSample(), 1);
    App& app = *f.app;
    app.SelectFrame(scene.frame);
    app.BackgroundColour = 3;
    app.PaintColour = 2;  // selected outlines wrap to 254
    for (int t = 0; t < app.NumTriangles; ++t) {
        if (t % 5 == 0) app.Triangles[t].Flags = Selected;
        if (t % 7 == 0) app.Triangles[t].Flags |= Grabbed;
    }
    if (scene.mapping) app.Mode = ModeMapping;
    IsoBox& box = *f.box;
    Camera& camera = box.ViewCamera;
    camera.BeginOrbit();
    camera.Orbit(scene.orbitX, scene.orbitY);
    camera.Dolly(scene.dolly);

    box.OnSize(scene.width, scene.height);
    const int w = box.BufferWidth, h = box.BufferHeight;
    const ReferenceImage want = ReferenceRender(app, camera, w, h, scene.mapping ? 5 : 1);

    EXPECT_TRUE(SamePixels(box.PixelBuffer, want.Colour, w));
    EXPECT_TRUE(SamePixels(box.DepthBuffer, want.Depth, w));
    EXPECT_TRUE(SamePixels(box.PickBuffer, want.Pick, w));
    // The scene is worth comparing: a good part of the view shows the model, and the back
    // faces were culled.
    const auto shown = std::count_if(want.Pick.begin(), want.Pick.end(),
                                     [](uint32_t p) { return p != IsoBox::NoPick; });
    EXPECT_GT(shown, w * h / 20);
    EXPECT_GT(want.Culled, 0);
    if (scene.dolly < -500) {
        EXPECT_GT(want.DroppedAtNearPlane, 0);
    }
}

const GoldenScene Scenes[] = {
    {"CharacterFront", 0, 0, 320, 240, 0, 0, 0, 0},
    {"CharacterFrontMapping", 0, 0, 320, 240, 0, 0, 0, 1},
    {"CharacterOrbitedRunning", 0, 12, 317, 241, 200, -60, 0, 0},
    {"CharacterOrbitedRunningMapping", 0, 12, 317, 241, 200, -60, 0, 1},
    {"CharacterFromAboveBehind", 0, 20, 320, 240, 800, 150, 0, 0},
    {"CharacterCloseUpPastTheNearPlane", 0, 3, 320, 240, -300, 40, -1100, 0},
    {"CharacterCloseUpPastTheNearPlaneMapping", 0, 3, 320, 240, -300, 40, -1100, 1},
    {"DenseTorus", 4096, 1, 320, 240, 60, 120, 0, 0},
    {"DenseTorusMapping", 4096, 0, 320, 240, 60, 120, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Scenes, IsoGolden, testing::ValuesIn(Scenes),
                         [](const testing::TestParamInfo<GoldenScene>& scene) {
                             return std::string(scene.param.name);
                         });

}  // namespace
}  // namespace varp::test
