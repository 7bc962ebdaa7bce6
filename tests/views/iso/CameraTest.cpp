// The camera: projection to the pixel, facing, an unusable view and the drag operations.
#include <gtest/gtest.h>

#include <cmath>

#include "views/iso/Camera.h"

namespace varp {
namespace {

double Length(const Vec3& a, const Vec3& b) {
    return std::hypot(double{a[0]} - b[0], double{a[1]} - b[1], double{a[2]} - b[2]);
}

TEST(Camera, ProjectsOntoTheIntegerCentreScaledByTheSmallerSideTruncatingTowardZero) {
    const ViewSetup s = Camera().ViewSetup(200, 100);
    EXPECT_EQ(s.S, 100.0);
    EXPECT_EQ(s.Distance, 100.0);
    EXPECT_EQ(std::round(s.K * 1e5) / 1e5, 1.68797);  // pixels per unit at the target
    const struct {
        Vec3 eye;
        int w, h;
        Vec3 v;
        ProjectedPoint want;
    } cases[] = {
        {{100, 0, 0}, 200, 100, {0, 0, 0}, {100, 50}},
        {{100, 0, 0}, 200, 100, {0, 10, 0}, {116, 50}},
        {{100, 0, 0}, 200, 100, {0, 0, 10}, {100, 66}},
        {{100, 0, 0}, 200, 100, {-50, 0, 10}, {100, 61}},
        {{100, 0, 0}, 99, 301, {0, 0, 0}, {49, 150}},
        {{100, 0, 0}, 99, 301, {0, 10, 0}, {65, 150}},
        {{100, 0, 0}, 200, 100, {0, -59.65f, 0}, {0, 50}},  // -0.687: 0, not -1
        {{100, 0, 0}, 200, 100, {0, 0, -30}, {100, 0}},     // -0.639
        {{100, 0, 0}, 200, 100, {0, 0, -30.3f}, {100, -1}},
        {{0, 0, 100}, 200, 100, {10, 0, 0}, {100, 66}},  // from above: x up, y left
        {{0, 0, 100}, 200, 100, {0, 10, 0}, {83, 50}},
    };
    for (const auto& c : cases) {
        Camera camera;
        camera.Eye = c.eye;
        const ViewSetup setup = camera.ViewSetup(c.w, c.h);
        EXPECT_EQ(Project(setup, ToCamera(setup, c.v)), c.want) << c.v[0] << " " << c.v[1];
    }
    // A corner just past the near plane, far to the side, under a one-degree view is held at
    // 2^29 pixels.
    Camera narrow;
    narrow.FieldOfView = 1.0f;
    const ViewSetup n = narrow.ViewSetup(4000, 4000);
    EXPECT_EQ(Project(n, {-3.0e7f, 3.0e7f, 0.1f}), (ProjectedPoint{536870912, 536870912}));
    EXPECT_EQ(Project(n, {3.0e7f, -3.0e7f, 0.1f}), (ProjectedPoint{-536870912, -536870912}));
}

TEST(Camera, ClockwiseTrianglesFaceTheEyeAndEdgeOnOnesFaceAway) {
    const ViewSetup s = Camera().ViewSetup(200, 100);
    // On screen: above the centre, right of it and left of it.
    const CameraVertex top = ToCamera(s, {0, 0, 10}), right = ToCamera(s, {0, 10, 0}),
                       left = ToCamera(s, {0, -10, 0});
    EXPECT_NEAR(FacingDeterminant(top, right, left), -20000.0, 1e-9);
    EXPECT_TRUE(IsFrontFacing(top, right, left));
    EXPECT_FALSE(IsFrontFacing(top, left, right));
    // Three corners on the line of sight, and a triangle in the plane that holds the eye.
    const CameraVertex a = ToCamera(s, {0, 0, 0}), b = ToCamera(s, {-50, 0, 0}),
                       c = ToCamera(s, {50, 0, 0}), d = ToCamera(s, {0, 10, 0}),
                       e = ToCamera(s, {-50, 10, 0});
    EXPECT_EQ(FacingDeterminant(a, b, c), 0.0);
    EXPECT_EQ(FacingDeterminant(a, d, e), 0.0);
    EXPECT_FALSE(IsFrontFacing(a, b, c) || IsFrontFacing(a, c, b));
    EXPECT_FALSE(IsFrontFacing(a, d, e) || IsFrontFacing(a, e, d));
}

TEST(Camera, EyeOnTargetOrAtInfinityGivesNoUsableView) {
    Camera camera;
    EXPECT_TRUE(IsUsable(camera.ViewSetup(200, 100)));
    camera.Eye = camera.Target = {5, 5, 5};
    EXPECT_EQ(camera.ViewSetup(200, 100).Distance, 0.0);
    EXPECT_FALSE(IsUsable(camera.ViewSetup(200, 100)));
    camera.Eye[0] = std::nextafter(5.0f, 6.0f);
    EXPECT_TRUE(IsUsable(camera.ViewSetup(200, 100)));
    camera.Eye[0] = INFINITY;
    EXPECT_FALSE(IsUsable(camera.ViewSetup(200, 100)));
}

TEST(CameraDrag, AnglesWrapIntoOneTurnTheFarSideMirrorsTheTiltAndDollyAndPushScale) {
    Camera camera;
    camera.BeginOrbit();
    camera.Orbit(0, 150);  // Tilt 0 - 30, wrapped to 330: the eye 30 degrees up
    EXPECT_EQ(camera.Tilt, 330.0f);
    EXPECT_NEAR(camera.Eye[2], 50.0f, 1e-3);
    camera.Orbit(-1800, 0);  // Yaw 0 + 360, wrapped to 0
    EXPECT_EQ(camera.Yaw, 0.0f);
    // A raised eye on the far side: Tilt 180 - (-26.565), UpSign -1, and the eye stays put
    // until a move down raises it.
    camera.Eye = {-100, 0, 50};
    camera.BeginOrbit();
    EXPECT_EQ(camera.UpSign, -1);
    EXPECT_NEAR(camera.Tilt, 206.5651f, 1e-3);
    camera.Orbit(0, 0);
    EXPECT_NEAR(camera.Eye[0], -100.0f, 1e-3);
    EXPECT_NEAR(camera.Eye[2], 50.0f, 1e-3);
    camera.Orbit(0, 10);
    EXPECT_NEAR(camera.Eye[2], 53.4594f, 1e-3);
    EXPECT_NEAR(Length(camera.Eye, camera.Target), 111.8034, 1e-3);
    // Dolly down and push up (the other ways are checked through the pane) move away.
    camera = Camera();
    camera.Dolly(10);
    EXPECT_NEAR(Length(camera.Eye, camera.Target), 102.0181, 1e-4);
    EXPECT_EQ(camera.DragOffset, (Vec3{camera.Eye[0], 0, 0}));
    camera = Camera();
    camera.PushTarget(-10);
    EXPECT_NEAR(camera.Target[0], -1.0045, 1e-4);
    EXPECT_EQ(camera.DragOffset, (Vec3{camera.Target[0] - 100.0f, 0, 0}));
}

}  // namespace
}  // namespace varp
