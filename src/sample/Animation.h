// The demo character's animations: stand, run and wave, posed on its skeleton.
#pragma once

#include <vector>

#include "sample/Body.h"

namespace varp::sample {

// Each bone's turn about its joint, relative to its parent, and a shift of the whole body.
struct Pose {
    Point3 shift;
    Rotation turn[BoneCount];
};

// Where every vertex of the rest mesh lands in the pose.
std::vector<Point3> PosePositions(const Mesh& mesh, const Pose& pose);

// Frames per animation.
inline constexpr int StandFrames = 8;
inline constexpr int RunFrames = 8;
inline constexpr int WaveFrames = 8;

// stand01..stand08 (breathing), run01..run08 (a full stride), wave01..wave08 (the right arm
// raised, the forearm waving), in that order.
std::vector<NamedFrame> SampleFrames(const Mesh& mesh);

}  // namespace varp::sample
