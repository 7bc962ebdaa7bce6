// The camera: projections to the pixel, facing, an unusable view and the drag operations.
#include <gtest/gtest.h>

#include <cmath>

#include "views/iso/Camera.h"

namespace varp {
namespace {

ProjectedPoint ProjectVertex(const Camera& camera, int w, int h, Vec3 v) {
    const ViewSetup setup = camera.ViewSetup(w, h);
    return Project(setup, ToCamera(setup, v));
}

double Length(const Vec3& a, const Vec3& b) {
    const double dx = double{a[0]} - b[0], dy = double{a[1]} - b[1], dz = double{a[2]} - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

TEST(Camera, InitialViewOnA200By100Buffer) {
    const Camera camera;
    const ViewSetup s = camera.ViewSetup(200, 100);
    EXPECT_EQ(s.S, 100.0);
    EXPECT_EQ(s.CX, 100.0);
    EXPECT_EQ(s.CY, 50.0);
    EXPECT_EQ(s.Distance, 100.0);
    EXPECT_EQ(std::round(s.K * 1e5) / 1e5, 1.68797);

    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 0, 0}), (ProjectedPoint{100, 50}));
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 10, 0}), (ProjectedPoint{116, 50}));
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 0, 10}), (ProjectedPoint{100, 66}));
    EXPECT_EQ(ToCamera(s, {-50, 0, 10}).camZ, 150.0f);
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {-50, 0, 10}), (ProjectedPoint{100, 61}));

    // Odd sizes centre on the integer halves, and the smaller side sets the scale.
    const ViewSetup odd = camera.ViewSetup(99, 301);
    EXPECT_EQ(odd.S, 99.0);
    EXPECT_EQ(ProjectVertex(camera, 99, 301, {0, 0, 0}), (ProjectedPoint{49, 150}));
}

TEST(Camera, ProjectionTruncatesTowardZero) {
    const Camera camera;
    // x = 100 - 59.65 x 1.68797 = -0.687...: 0, where rounding down would give -1.
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, -59.65f, 0}).x, 0);
    // y = 50 - 30 x 1.68797 = -0.639...
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 0, -30}).y, 0);
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 0, -30.3f}).y, -1);
}

TEST(Camera, ProjectionHoldsFarOffCoordinatesInsideTheRasterizersRange) {
    Camera camera;
    camera.FieldOfView = 1.0f;
    const ViewSetup s = camera.ViewSetup(4000, 4000);
    // A corner just past the near plane, far to the side, under a one-degree view.
    const ProjectedPoint p = Project(s, {-3.0e7f, 3.0e7f, 0.1f});
    EXPECT_EQ(p.x, 536870912);
    EXPECT_EQ(p.y, 536870912);
    EXPECT_EQ(Project(s, {3.0e7f, -3.0e7f, 0.1f}), (ProjectedPoint{-536870912, -536870912}));
}

TEST(Camera, TopDownViewPutsXUpAndYLeft) {
    Camera camera;
    camera.Eye = {0, 0, 100};
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {10, 0, 0}), (ProjectedPoint{100, 66}));
    // 100 - 10 x 1.68797 = 83.12, truncated; the mirror image of 116.88 -> 116.
    EXPECT_EQ(ProjectVertex(camera, 200, 100, {0, 10, 0}), (ProjectedPoint{83, 50}));
}

TEST(Camera, ClockwiseTrianglesFaceTheEyeAndEdgeOnOnesFaceAway) {
    const ViewSetup s = Camera().ViewSetup(200, 100);
    // On screen: above the centre, right of it and left of it.
    const CameraVertex top = ToCamera(s, {0, 0, 10}), right = ToCamera(s, {0, 10, 0}),
                       left = ToCamera(s, {0, -10, 0});
    EXPECT_NEAR(FacingDeterminant(top, right, left), -20000.0, 1e-9);
    EXPECT_TRUE(IsFrontFacing(top, right, left));
    EXPECT_FALSE(IsFrontFacing(top, left, right));

    // Three corners on the line of sight, and a triangle in the plane z = 0, which holds the eye.
    const CameraVertex a = ToCamera(s, {0, 0, 0}), b = ToCamera(s, {-50, 0, 0}),
                       c = ToCamera(s, {50, 0, 0}), d = ToCamera(s, {0, 10, 0}),
                       e = ToCamera(s, {-50, 10, 0});
    EXPECT_EQ(FacingDeterminant(a, b, c), 0.0);
    EXPECT_EQ(FacingDeterminant(a, d, e), 0.0);
    EXPECT_FALSE(IsFrontFacing(a, b, c));
    EXPECT_FALSE(IsFrontFacing(a, c, b));
    EXPECT_FALSE(IsFrontFacing(a, d, e));
    EXPECT_FALSE(IsFrontFacing(a, e, d));
}

TEST(Camera, EyeOnTargetGivesNoUsableView) {
    Camera camera;
    EXPECT_TRUE(IsUsable(camera.ViewSetup(200, 100)));
    camera.Eye = camera.Target = {5, 5, 5};
    const ViewSetup s = camera.ViewSetup(200, 100);
    EXPECT_EQ(s.Distance, 0.0);
    EXPECT_FALSE(IsUsable(s));
    // The smallest offset a float can hold still gives a view.
    camera.Eye[0] = std::nextafter(5.0f, 6.0f);
    EXPECT_TRUE(IsUsable(camera.ViewSetup(200, 100)));
    // An eye pushed out to infinity gives none.
    camera.Eye[0] = INFINITY;
    EXPECT_FALSE(IsUsable(camera.ViewSetup(200, 100)));
}

TEST(CameraDrag, OrbitingDownRaisesTheEyeAndAngleWrapsStayInOneTurn) {
    Camera camera;
    camera.BeginOrbit();
    camera.Orbit(0, 150);  // Tilt 0 - 30 = -30, wrapped to 330: the eye 30 degrees up
    EXPECT_EQ(camera.Tilt, 330.0f);
    EXPECT_NEAR(camera.Eye[0], 86.6025f, 1e-3);
    EXPECT_NEAR(camera.Eye[2], 50.0f, 1e-3);
    camera.Orbit(-1800, 0);  // Yaw 0 + 360 = 360: wrapped to 0
    EXPECT_EQ(camera.Yaw, 0.0f);
}

TEST(CameraDrag, FarSideMirrorsTheTiltAndLeavesTheEyeInPlace) {
    Camera camera;
    camera.Eye = {-100, 0, 0};
    camera.BeginOrbit();
    EXPECT_NEAR(camera.Yaw, 0.0f, 1e-4);
    EXPECT_EQ(camera.Tilt, 180.0f);
    EXPECT_EQ(camera.UpSign, -1);
    camera.Orbit(0, 0);
    EXPECT_NEAR(camera.Eye[0], -100.0f, 1e-3);
    EXPECT_NEAR(camera.Eye[1], 0.0f, 1e-3);
    EXPECT_NEAR(camera.Eye[2], 0.0f, 1e-3);

    // Raised eye on the far side: the tilt becomes 180 - (-26.565) and orbiting down still
    // raises the eye.
    camera.Eye = {-100, 0, 50};
    camera.BeginOrbit();
    EXPECT_EQ(camera.UpSign, -1);
    EXPECT_NEAR(camera.Tilt, 206.5651f, 1e-3);
    camera.Orbit(0, 0);
    EXPECT_NEAR(camera.Eye[0], -100.0f, 1e-3);
    EXPECT_NEAR(camera.Eye[2], 50.0f, 1e-3);
    camera.Orbit(0, 10);
    EXPECT_NEAR(camera.Tilt, 208.5651f, 1e-3);
    EXPECT_GT(camera.Eye[2], 53.0f);
    EXPECT_NEAR(Length(camera.Eye, camera.Target), 111.8034, 1e-3);
}

TEST(CameraDrag, DollyAndPushMoveAwayPerPixelToo) {
    // Up by 10 draws the eye nearer and down by 10 pushes the target away: both are checked
    // through the pane. Here the other ways.
    Camera camera;
    camera.Dolly(10);
    EXPECT_EQ(std::round(Length(camera.Eye, camera.Target) * 1e4) / 1e4, 102.0181);
    EXPECT_EQ(camera.DragOffset, (Vec3{camera.Eye[0], 0, 0}));
    camera.Dolly(0);
    EXPECT_EQ(std::round(Length(camera.Eye, camera.Target) * 1e4) / 1e4, 102.0181);

    camera = Camera();
    camera.PushTarget(-10);
    EXPECT_EQ(camera.Eye, (Vec3{100, 0, 0}));
    EXPECT_NEAR(camera.Target[0], -1.0045, 1e-4);
    EXPECT_EQ(camera.DragOffset, (Vec3{camera.Target[0] - 100.0f, 0, 0}));
}

}  // namespace
}  // namespace varp
