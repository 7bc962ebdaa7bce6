// The demo model under four cameras, drawn in one band of rows and in two and three (more than
// the machine may have threads), with the mirror on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "commands/ModelFiles.h"
#include "sample/Sample.h"
#include "support/TempDir.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

// Every drawn depth lies between the nearest corner (0) and the farthest (16384). In the last
// scene edges between two corners on the far plane cross the left border; bisecting them must
// not wrap to a negative depth, which put the farthest surface over nearer ones there. A camera
// drag's render and a full one leave the same colours, depths, picks and mirror picks whatever
// the split.
TEST(IsoScenes, KeepEveryDepthBetweenTheCornersAndDrawOnePictureWhateverTheBands) {
    TempDir folder;
    ASSERT_EQ(sample::WriteSampleBaseFolder(folder.Path(), nullptr), 1);
    const struct {
        int width, height, frame, orbitX, orbitY, dolly, mode;
    } scenes[] = {{320, 240, 0, 0, 0, 0, ModeMix},
                  {256, 200, 3, 120, -150, -200, ModeMapping},
                  {300, 200, 5, -300, 40, -700, ModePaint},
                  {200, 300, 9, 900, 0, -943, ModeMix}};
    for (const auto& s : scenes) {
        IsoView v(s.mode, false);
        v.app->BaseFolder = folder.SystemPath();
        ASSERT_EQ(LoadModel(*v.app, "models\\demo\\tris.md2"), 1);
        v.app->SelectFrame(s.frame);
        v.app->Mirror = 1;
        IsoBox& box = *v.box;
        box.ViewCamera.BeginOrbit();
        box.ViewCamera.Orbit(s.orbitX, s.orbitY);
        box.ViewCamera.Dolly(s.dolly);
        box.OnSize(s.width, s.height);  // a Full render
        EXPECT_EQ(std::count_if(box.DepthBuffer.begin(), box.DepthBuffer.end(),
                                [](uint16_t d) { return d != 0xFFFF && d > 16384; }),
                  0)
            << "frame " << s.frame;
        std::vector<uint32_t> mirror;
        const auto buffers = [&] {
            mirror.clear();
            for (int y = 0; y < s.height; ++y) {
                for (int x = 0; x < s.width; ++x) mirror.push_back(box.MirrorTexelUnder({x, y}));
            }
            return std::make_tuple(box.PixelBuffer, box.DepthBuffer, box.PickBuffer, mirror);
        };
        std::vector<decltype(buffers())> oneBand;
        for (const int32_t bands : {1, 2, 3}) {
            box.SetBands(bands);
            for (const IsoBox::Kind kind : {IsoBox::Kind::Quick, IsoBox::Kind::Full}) {
                // What a band leaves undrawn shows.
                std::fill(box.PixelBuffer.begin(), box.PixelBuffer.end(), 1);
                std::fill(box.DepthBuffer.begin(), box.DepthBuffer.end(), 1);
                if (kind == IsoBox::Kind::Full)
                    std::fill(box.PickBuffer.begin(), box.PickBuffer.end(), 1);
                box.Render(kind);
                if (bands == 1) {
                    oneBand.push_back(buffers());
                } else {
                    EXPECT_TRUE(buffers() == oneBand[kind == IsoBox::Kind::Full])
                        << "frame " << s.frame << ", " << bands << " bands";
                }
            }
        }
    }
}

}  // namespace
}  // namespace varp::test
