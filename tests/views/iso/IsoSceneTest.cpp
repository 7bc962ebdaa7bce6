// Whole renders of the demo model under cameras that stress the clippers, pinned by checksums
// of the colour and depth buffers, and the depth range every render keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "commands/ModelFiles.h"
#include "sample/Sample.h"
#include "support/TempDir.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

template <class T>
uint64_t Fnv(const std::vector<T>& values) {
    uint64_t h = 1469598103934665603ull;
    for (const T& v : values) {
        for (size_t b = 0; b < sizeof(T); ++b)
            h = (h ^ ((uint64_t{v} >> (8 * b)) & 0xFF)) * 1099511628211ull;
    }
    return h;
}

// Every drawn depth lies between the nearest corner (0) and the farthest (16384). In the last
// scene edges between two corners on the far plane cross the left border; bisecting them must
// not wrap to a negative depth, which put the farthest surface over nearer ones there.
TEST(IsoScenes, KeepEveryDepthBetweenTheCornersAndDrawTheirGoldenPictures) {
    TempDir folder;
    ASSERT_EQ(sample::WriteSampleBaseFolder(folder.Path(), nullptr), 1);
    const struct {
        int width, height, frame, orbitX, orbitY, dolly, mode;
        uint64_t colourSum, depthSum;  // FNV-1a of the buffers
    } scenes[] = {
        {320, 240, 0, 0, 0, 0, ModeMix, 4521794661943588555ull, 1008756811475985424ull},
        {256, 200, 3, 120, -150, -200, ModeMapping, 3612104257329004617ull, 4029158929751052451ull},
        {300, 200, 5, -300, 40, -700, ModePaint, 10274250636735749243ull, 3875403526923394049ull},
        {200, 300, 9, 900, 0, -943, ModeMix, 2886420831551648795ull, 8524992417694396288ull}};
    for (const auto& s : scenes) {
        IsoView v(ModeMix, false);
        v.app->BaseFolder = folder.SystemPath();
        ASSERT_EQ(LoadModel(*v.app, "models\\demo\\tris.md2"), 1);
        v.app->SelectFrame(s.frame);
        v.app->Mode = s.mode;
        Camera& camera = v.box->ViewCamera;
        camera.BeginOrbit();
        camera.Orbit(s.orbitX, s.orbitY);
        camera.Dolly(s.dolly);
        v.box->OnSize(s.width, s.height);  // a Full render
        const std::vector<uint16_t>& depth = v.box->DepthBuffer;
        EXPECT_EQ(std::count_if(depth.begin(), depth.end(),
                                [](uint16_t d) { return d != 0xFFFF && d > 16384; }),
                  0)
            << "frame " << s.frame;
        EXPECT_EQ(Fnv(v.box->PixelBuffer), s.colourSum) << "frame " << s.frame;
        EXPECT_EQ(Fnv(depth), s.depthSum) << "frame " << s.frame;
    }
}

}  // namespace
}  // namespace varp::test
