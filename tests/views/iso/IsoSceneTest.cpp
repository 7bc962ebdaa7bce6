// The demo model under a camera that stresses the clippers: edges between two corners on the
// far plane cross the left border, and bisecting them must not wrap to a negative depth, which
// put the farthest surface over nearer ones there. Every drawn depth lies between the nearest
// corner (0) and the farthest (16384).
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

TEST(IsoScenes, ClippedEdgesOnTheFarPlaneKeepTheirDepthBetweenTheCorners) {
    TempDir folder;
    ASSERT_EQ(sample::WriteSampleBaseFolder(folder.Path(), nullptr), 1);
    IsoView v(ModeMix, false);
    v.app->BaseFolder = folder.SystemPath();
    ASSERT_EQ(LoadModel(*v.app, "models\\demo\\tris.md2"), 1);
    v.app->SelectFrame(9);
    Camera& camera = v.box->ViewCamera;
    camera.BeginOrbit();
    camera.Orbit(900, 0);
    camera.Dolly(-943);
    v.box->OnSize(200, 300);  // a Full render
    const std::vector<uint16_t>& depth = v.box->DepthBuffer;
    EXPECT_EQ(std::count_if(depth.begin(), depth.end(),
                            [](uint16_t d) { return d != 0xFFFF && d > 16384; }),
              0);
}

}  // namespace
}  // namespace varp::test
