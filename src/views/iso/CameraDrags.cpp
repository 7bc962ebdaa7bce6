// The camera drags: orbit, look, dolly, push and zoom, and the start-of-drag capture they share.
#include <cmath>
#include <cstdint>

#include "views/iso/Camera.h"
#include "views/iso/CameraConstants.h"

namespace varp {

namespace {

double ToDegrees(double radians) {
    return radians * 180.0 * iso::RadiansToPi;
}
double ToRadians(double degrees) {
    return degrees * iso::Pi * iso::DegreesToRadians;
}

// fmod keeps the sign of its first argument; a negative remainder is brought into [0, 360).
float WrapDegrees(float angle) {
    double r = std::fmod(double{angle}, 360.0);
    if (r < 0.0) r += 360.0;
    return static_cast<float>(r);
}

// Scales `offset` by `factor` once per pixel, as a drag of `count` pixels always has.
void ScaleRepeatedly(double offset[3], float factor, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c) offset[c] *= factor;
    }
}

}  // namespace

void Camera::BeginOrbit() {
    NormaliseDrag(double{Eye[0]} - Target[0], double{Eye[1]} - Target[1],
                  double{Eye[2]} - Target[2]);
}

void Camera::BeginLook() {
    NormaliseDrag(double{Target[0]} - Eye[0], double{Target[1]} - Eye[1],
                  double{Target[2]} - Eye[2]);
}

void Camera::NormaliseDrag(double ox, double oy, double oz) {
    const double psi = -std::atan2(oy, ox);
    Yaw = static_cast<float>(ToDegrees(-psi));
    if (Yaw < 0.0f) {
        Yaw = static_cast<float>(Yaw + 360.0);
    } else if (Yaw > 360.0f) {
        Yaw = static_cast<float>(Yaw - 360.0);
    }
    UpSign = 1;
    // The offset turned about z into the x-z plane: same length, rho its horizontal part.
    const double rho = std::cos(psi) * ox - std::sin(psi) * oy;
    DragOffset = {static_cast<float>(rho),
                  static_cast<float>(std::cos(psi) * oy + std::sin(psi) * ox),
                  static_cast<float>(oz)};
    Tilt = static_cast<float>(ToDegrees(-std::atan2(oz, rho)));

    // Seen from the far side the azimuth is turned by 180 degrees and the tilt mirrored to
    // 180 - tilt, which names the same offset; vertical mouse motion then runs the other way.
    if (Yaw > 90.0f && Yaw < 270.0f) {
        UpSign = -1;
        Yaw = static_cast<float>(Yaw - 180.0);
        if (Tilt < 0.0f) {
            Tilt = static_cast<float>(Tilt + 360.0);
        } else if (Tilt > 360.0f) {
            Tilt = static_cast<float>(Tilt - 360.0);
        }
        if (Tilt < 90.0f) {
            Tilt = static_cast<float>(90.0 - (Tilt - 90.0));
        } else if (Tilt > 270.0f) {
            Tilt = static_cast<float>(270.0 - (Tilt - 270.0));
        }
    }
}

void Camera::Swing(double yawStep, double tiltStep, const Vec3& fixed, Vec3& moving) {
    const double r =
        std::sqrt(double{DragOffset[0]} * DragOffset[0] + double{DragOffset[1]} * DragOffset[1] +
                  double{DragOffset[2]} * DragOffset[2]);
    Tilt = static_cast<float>(Tilt - tiltStep);
    Yaw = static_cast<float>(Yaw - yawStep);
    Yaw = WrapDegrees(Yaw);
    Tilt = WrapDegrees(Tilt);
    const double y = ToRadians(Yaw), p = ToRadians(Tilt);
    const float h = static_cast<float>(r * std::cos(p));
    moving = {static_cast<float>(fixed[0] + h * std::cos(y)),
              static_cast<float>(fixed[1] + h * std::sin(y)),
              static_cast<float>(fixed[2] + -r * std::sin(p))};
}

void Camera::Orbit(int32_t dx, int32_t dy) {
    // Right lowers Yaw (the eye turns clockwise seen from above); down with UpSign +1 lowers
    // Tilt, which raises the eye.
    Swing(static_cast<double>(dx) * iso::OrbitDegreesPerPixel,
          static_cast<double>(UpSign) * dy * iso::OrbitDegreesPerPixel, Target, Eye);
}

void Camera::Look(int32_t dx, int32_t dy) {
    // Ten times finer than orbiting, and the other way round horizontally.
    Swing(-(static_cast<double>(dx) * iso::LookDegreesPerPixel),
          static_cast<double>(UpSign) * dy * iso::LookDegreesPerPixel, Eye, Target);
}

void Camera::Dolly(int32_t dy) {
    double o[3] = {double{Eye[0]} - Target[0], double{Eye[1]} - Target[1],
                   double{Eye[2]} - Target[2]};
    if (dy < 0) ScaleRepeatedly(o, iso::DollyNearer, -int64_t{dy});
    if (dy > 0) ScaleRepeatedly(o, iso::DollyFarther, dy);
    for (int c = 0; c < 3; ++c) {
        DragOffset[c] = static_cast<float>(o[c]);
        Eye[c] = static_cast<float>(Target[c] + o[c]);
    }
}

void Camera::PushTarget(int32_t dy) {
    double o[3] = {double{Target[0]} - Eye[0], double{Target[1]} - Eye[1],
                   double{Target[2]} - Eye[2]};
    if (dy > 0) ScaleRepeatedly(o, iso::PushNearer, dy);
    if (dy < 0) ScaleRepeatedly(o, iso::PushFarther, -int64_t{dy});
    for (int c = 0; c < 3; ++c) {
        DragOffset[c] = static_cast<float>(o[c]);
        Target[c] = static_cast<float>(Eye[c] + o[c]);
    }
}

void Camera::ZoomFieldOfView(int32_t dx) {
    double f = static_cast<double>(dx) * iso::ZoomDegreesPerPixel + FieldOfView;
    if (f < iso::MinFieldOfView) {
        f = iso::MinFieldOfView;
    } else if (f > iso::MaxFieldOfView) {
        f = iso::MaxFieldOfView;
    }
    FieldOfView = static_cast<float>(f);
}

}  // namespace varp
