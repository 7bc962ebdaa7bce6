// The bisection clippers and the edge walk on single edges, with exact records.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "raster/Raster.h"
#include "raster/RasterInternal.h"

namespace varp {
namespace {

TEST(ClipEdge, EndpointOnTheLowBoundIsRederivedByBisection) {
    // Midpoints (5,50), (2,25), (1,12), (0,6): the start lands on x = 0 at row 6, not row 0.
    RasterVertex a{0, 0, 0, 4096, 0}, b{10, 100, 10240, 0, 1 << 20};
    EXPECT_EQ(ClipEdgeX(a, b, 0, 50), EdgeClip::StartMoved);
    EXPECT_EQ(a, (RasterVertex{0, 6, 640, 3840, 1 << 16}));
    EXPECT_EQ(b, (RasterVertex{10, 100, 10240, 0, 1 << 20}));
}

TEST(ClipEdge, TiesMakeTheEndTheLowerEndpoint) {
    // A vertical edge on ClipLeft: the end is the lower endpoint and is replaced by the start.
    RasterVertex a{3, 0, 1, 2, 3}, b{3, 9, 4, 5, 6};
    EXPECT_EQ(ClipEdgeX(a, b, 3, 8), EdgeClip::Inside);
    EXPECT_EQ(b, a);
    // On ClipRight the start is the upper one; handing it back unchanged still counts as moved.
    RasterVertex c{8, 0, 1, 2, 3}, d{8, 9, 4, 5, 6};
    EXPECT_EQ(ClipEdgeX(c, d, 3, 8), EdgeClip::StartMoved);
    EXPECT_EQ(c, (RasterVertex{8, 0, 1, 2, 3}));
    EXPECT_EQ(d, (RasterVertex{8, 9, 4, 5, 6}));
}

TEST(ClipEdge, BothEndsClippedAndWhollyOutside) {
    // Across both bounds, right to left: the start is the upper end, clipped at x = 7.
    RasterVertex a{20, 0, 0, 0, 0}, b{-12, 32, 3200, 0, 0};
    EXPECT_EQ(ClipEdgeX(a, b, 0, 7), EdgeClip::StartMoved);
    EXPECT_EQ(a, (RasterVertex{7, 12, 1250, 0, 0}));
    EXPECT_EQ(b, (RasterVertex{0, 20, 2000, 0, 0}));
    RasterVertex c{-5, 0, 0, 0, 0}, d{-1, 9, 0, 0, 0};
    EXPECT_EQ(ClipEdgeX(c, d, 0, 7), EdgeClip::Outside);
    RasterVertex e{3, 10, 0, 0, 0}, f{5, 14, 0, 0, 0};
    EXPECT_EQ(ClipEdgeY(e, f, 0, 9), EdgeClip::Outside);
    EXPECT_EQ(e, (RasterVertex{3, 10, 0, 0, 0}));
}

TEST(ClipEdge, MidpointsWrapAt32BitsAndTheLoopStillEnds) {
    // 2^30 + 2^30 wraps to -2^31, whose half is -2^30; the far ends are absurd but clipping ends.
    RasterVertex a{-10, 0, 0, 0, 1 << 30}, b{10, 0, 0, 0, 1 << 30};
    EXPECT_EQ(ClipEdgeX(a, b, 0, 5), EdgeClip::StartMoved);
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.z, -(1 << 30));
    // 150 + INT_MAX wraps too: the first midpoint lands far left and the end comes out at row 665
    // where exact means would give row 0.
    RasterVertex c{150, 0, 0, 0, 0}, d{INT_MAX, 1000, 1 << 20, 0, 0};
    EXPECT_EQ(ClipEdgeX(c, d, 100, 200), EdgeClip::Inside);
    EXPECT_EQ(d, (RasterVertex{200, 665, 699050, 0, 0}));
    RasterVertex e{INT_MIN, INT_MIN, 0, 0, 0}, f{INT_MAX, INT_MAX, 1 << 20, 0, 0};
    EXPECT_EQ(ClipEdgeX(e, f, 100, 200), EdgeClip::StartMoved);
    EXPECT_EQ(e, (RasterVertex{100, 100, 524288, 0, 0}));
    EXPECT_EQ(f, (RasterVertex{200, 200, 873813, 0, 0}));
}

TEST(EdgeWalk, HorizontalEdgeEndsAfterTenTruncatedSteps) {
    EdgeTable table;
    table.Reserve(5);
    // u steps 1005 / 10 = 100, v steps -27 / 10 = -2 (toward zero), z steps 9999.
    WalkEdge<true>(table, {0, 3, 0, 7, 0}, {10, 3, 1005, -20, 99999});
    EXPECT_EQ(table.TopRow, 3);
    EXPECT_EQ(table.BottomRow, 3);
    // Row 3 as min x, u, v, z, then max x, u, v, z.
    EXPECT_EQ((std::array{table.MinX[3], table.LeftU[3], table.LeftV[3], table.LeftZ[3],
                          table.MaxX[3], table.RightU[3], table.RightV[3], table.RightZ[3]}),
              (std::array{0, 0, 7, 0, 10, 1000, -13, 99990}));
    EXPECT_EQ(table.MinX[2], INT_MAX);
    EXPECT_EQ(table.MaxX[4], INT_MIN);
}

TEST(EdgeWalk, StepsAlongTheLongAxisAndTheFirstEdgeKeepsATie) {
    EdgeTable table;
    table.Reserve(8);
    // Error starts at 2*3 - 7 = -1: axial, diagonal, axial, ... so rows 0..7 get x 0,0,1,1,2,2,3,3.
    WalkEdge<false>(table, {0, 0, 0, 0, 0}, {3, 7, 700, 0, 0});
    const int32_t xs[8] = {0, 0, 1, 1, 2, 2, 3, 3};
    for (int32_t r = 0; r < 8; ++r) {
        EXPECT_EQ(table.MinX[r], xs[r]) << r;
        EXPECT_EQ(table.LeftU[r], 100 * r) << r;
    }
    // A second edge through the same pixels with other attributes changes nothing.
    WalkEdge<false>(table, {3, 7, 5, 5, 0}, {0, 0, 5, 5, 0});
    EXPECT_EQ(table.LeftU[4], 400);
    EXPECT_EQ(table.RightU[4], 400);
    table.ResetUsedRows();
    for (int32_t r = 0; r < 8; ++r)
        EXPECT_TRUE(table.MinX[r] == INT_MAX && table.MaxX[r] == INT_MIN);
    EXPECT_GT(table.TopRow, table.BottomRow);
}

}  // namespace
}  // namespace varp
