// Small double-precision vector and rotation maths for building and posing the demo meshes.
#pragma once

#include <cmath>

namespace varp::sample {

inline constexpr double Pi = 3.14159265358979323846;

inline double Radians(double degrees) {
    return degrees * Pi / 180.0;
}

struct Point3 {
    double x = 0, y = 0, z = 0;
};

inline Point3 operator+(Point3 a, Point3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 operator-(Point3 a, Point3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// A rotation as a 3 x 3 matrix acting on column vectors.
struct Rotation {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    Point3 operator()(Point3 p) const {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
    }

    Rotation operator*(const Rotation& o) const {
        Rotation r;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
            }
        }
        return r;
    }
};

// Right-handed turns about the axes, in degrees. With z up and the character facing +x:
// RotY with a positive angle tips the top of a body part forward (toward +x) and swings a
// hanging part backward; RotX with a positive angle swings a hanging part toward +y.
inline Rotation RotX(double degrees) {
    const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

inline Rotation RotY(double degrees) {
    const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

inline Rotation RotZ(double degrees) {
    const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

// A rigid placement: rotate, then move.
struct Placement {
    Rotation turn;
    Point3 move;

    Point3 operator()(Point3 p) const { return turn(p) + move; }
    // This placement applied after `inner` (inner works in this placement's local frame).
    Placement operator*(const Placement& inner) const {
        return {turn * inner.turn, turn(inner.move) + move};
    }
};

}  // namespace varp::sample
