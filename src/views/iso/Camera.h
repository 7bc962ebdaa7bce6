// The 3D view's camera: its state, the view transform, projection, depth and the drag operations.
#pragma once

#include <cstdint>

#include "app/Workspace.h"

namespace varp {

// The quantities derived from the camera and the buffer size once per render. Angles and
// lengths in double; CX and CY hold the integer halves of the buffer size.
struct ViewSetup {
    Vec3 Target{};          // the camera's Target, the origin of the turns
    double S = 0;           // the smaller side of the buffer
    double CX = 0;          // W div 2
    double CY = 0;          // H div 2
    double c1 = 1, s1 = 0;  // cos and sin of the turn about z that brings the sight into x-z
    double c2 = 1, s2 = 0;  // cos and sin of the turn that levels it
    double Distance = 0;    // from the eye to the target
    double K = 0;           // pixels per unit at the target's depth
};

// A vertex in camera space: the eye at the origin, camZ the depth along the line of sight,
// camY up on screen and camX to the left on screen.
struct CameraVertex {
    float camX = 0, camY = 0, camZ = 0;
};

// A projected point: buffer column from the left and buffer row from the bottom.
struct ProjectedPoint {
    int32_t x = 0, y = 0;
    bool operator==(const ProjectedPoint&) const = default;
};

// The nearest camZ a corner may have to be drawn.
inline constexpr double NearZ = 0.1;

// Depths run from 0 at the nearest visible corner to this at the farthest.
inline constexpr double DepthRange = 16384.0;

// The camera of the 3D view. It never rolls: the model's z axis always points up on screen.
// Angles are degrees stored as float; every intermediate is double.
class Camera {
  public:
    Vec3 Eye{100.0f, 0.0f, 0.0f};
    Vec3 Target{0.0f, 0.0f, 0.0f};
    float FieldOfView = 33.0f;  // degrees across the smaller side of the buffer, 1 to 120
    // The eye/target offset captured when a drag starts; Orbit and Look use only its length.
    Vec3 DragOffset{100.0f, 0.0f, 0.0f};
    float Yaw = 0.0f;    // azimuth of the moving point about the fixed one during a drag
    float Tilt = 0.0f;   // negated elevation of the moving point, or its far-side mirror
    int32_t UpSign = 0;  // +1 or -1 once a drag has started; multiplies the vertical delta

    // For a W x H buffer (both positive). Distance is 0 when Eye lies on Target, and K is then
    // not finite; the renderer draws only the background in that case (see IsUsable).
    varp::ViewSetup ViewSetup(int W, int H) const;

    // Drags. Deltas are mouse pixels: dx > 0 to the right, dy > 0 downward.
    void BeginOrbit();  // the eye will move about the target
    void BeginLook();   // the target will move about the eye
    // Sets Yaw, Tilt, UpSign and DragOffset from the offset (ox, oy, oz) of the moving point.
    void NormaliseDrag(double ox, double oy, double oz);
    void Orbit(int32_t dx, int32_t dy);
    void Look(int32_t dx, int32_t dy);
    void Dolly(int32_t dy);       // the eye along the line of sight
    void PushTarget(int32_t dy);  // the target along the line of sight
    void ZoomFieldOfView(int32_t dx);

  private:
    // Turns Yaw and Tilt by the given angles, wraps both into [0, 360) and puts `moving` on the
    // sphere of radius |DragOffset| about `fixed`.
    void Swing(double yawStep, double tiltStep, const Vec3& fixed, Vec3& moving);
};

// Whether a setup can be projected through: a positive, finite Distance and a finite K.
bool IsUsable(const ViewSetup& setup);

CameraVertex ToCamera(const ViewSetup& setup, const Vec3& v);

// The negated triple product (a x b) . c of the camera-space corners, in double.
double FacingDeterminant(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c);

// Whether the triangle with camera-space corners a, b, c (in Vertex order) faces the eye:
// a negative determinant, which is corners running clockwise on screen. Edge-on triangles
// (determinant 0) face away.
bool IsFrontFacing(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c);

// For camZ >= NearZ. Coordinates are truncated toward zero; ones beyond +-2^29 pixels (a corner
// almost on the near plane under a narrow view) are held there, so that the rasterizer's sums of
// two coordinates stay inside 32 bits.
ProjectedPoint Project(const ViewSetup& setup, const CameraVertex& c);

// The depth of a corner: 0 at minZ, DepthRange at the farthest accepted corner. When every
// corner lies at minZ, scale is infinite and every depth is 0.
int32_t QuantiseDepth(float camZ, double minZ, double scale);

}  // namespace varp
