// The view transform: set-up per render, camera space, facing, projection and depth.
#include "views/iso/Camera.h"

#include <cmath>

#include "views/iso/CameraConstants.h"

namespace varp {

ViewSetup Camera::ViewSetup(int W, int H) const {
    varp::ViewSetup s;
    s.Target = Target;
    s.S = W <= H ? W : H;
    s.CX = W / 2;
    s.CY = H / 2;
    const double dx = double{Target[0]} - Eye[0];
    const double dy = double{Target[1]} - Eye[1];
    const double dz = double{Target[2]} - Eye[2];
    const double psi = -std::atan2(dy, dx);
    s.c1 = std::cos(psi);
    s.s1 = std::sin(psi);
    s.Distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double half = FieldOfView * 0.5 * iso::Pi * iso::DegreesToRadians;
    const double theta = -std::atan2(dz, s.c1 * dx - s.s1 * dy);
    s.c2 = std::cos(theta);
    s.s2 = std::sin(theta);
    // The field of view spans exactly S pixels across the smaller side at the target's depth.
    const double sinHalf = std::sin(half);
    s.K = s.S / ((sinHalf * s.Distance + sinHalf * s.Distance) / std::cos(half));
    return s;
}

bool IsUsable(const ViewSetup& setup) {
    return setup.Distance > 0.0 && std::isfinite(setup.Distance) && std::isfinite(setup.K);
}

CameraVertex ToCamera(const ViewSetup& setup, const Vec3& v) {
    // Turn by psi about z (the sight into the x-z plane), by theta to level it, then move the
    // origin from the target to the eye.
    const double px = double{v[0]} - setup.Target[0];
    const double py = double{v[1]} - setup.Target[1];
    const double pz = double{v[2]} - setup.Target[2];
    const double a = setup.c1 * px - setup.s1 * py;
    CameraVertex c;
    c.camX = static_cast<float>(setup.s1 * px + setup.c1 * py);
    c.camY = static_cast<float>(setup.s2 * a + setup.c2 * pz);
    c.camZ = static_cast<float>(setup.c2 * a - setup.s2 * pz + setup.Distance);
    return c;
}

double FacingDeterminant(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c) {
    const double ax = a.camX, ay = a.camY, az = a.camZ;
    const double bx = b.camX, by = b.camY, bz = b.camZ;
    return (az * by - ay * bz) * c.camX + (ax * bz - az * bx) * c.camY +
           (ay * bx - ax * by) * c.camZ;
}

bool IsFrontFacing(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c) {
    // Decided in 3D, so it does not depend on how the corners project.
    return FacingDeterminant(a, b, c) < 0.0;
}

namespace {

constexpr double PixelLimit = 536870912.0;  // 2^29

int32_t ToPixel(double v) {
    if (v >= PixelLimit) return static_cast<int32_t>(PixelLimit);
    if (v <= -PixelLimit) return -static_cast<int32_t>(PixelLimit);
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(v);  // truncates toward zero
}

}  // namespace

ProjectedPoint Project(const ViewSetup& setup, const CameraVertex& c) {
    const double w = c.camZ / setup.Distance;
    // camX points left on screen; rows count upward from the bottom of the bottom-up buffer.
    return {ToPixel(setup.CX - (c.camX / w) * setup.K), ToPixel(setup.CY + (c.camY / w) * setup.K)};
}

int32_t QuantiseDepth(float camZ, double minZ, double scale) {
    const double d = (camZ - minZ) * scale;
    // Not greater than 0 includes the NaN of 0 x infinity when all corners share one depth.
    if (!(d > 0.0)) return 0;
    if (d >= DepthRange) return static_cast<int32_t>(DepthRange);
    return static_cast<int32_t>(d);
}

}  // namespace varp
