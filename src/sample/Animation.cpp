// Poses of the demo character, frame by frame; each animation is one loop of a phase angle.
#include "sample/Animation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace varp::sample {

std::vector<Point3> PosePositions(const Mesh& mesh, const Pose& pose) {
    const Skeleton& skeleton = BodySkeleton();
    // Built with its soles at z = -24, the character stands 3.5 units lower in its frames: the
    // default view (eye 100 units out on +x, 33 degrees) then shows it whole, top to toe.
    const Point3 stance = pose.shift + Point3{0, 0, -3.5};
    Placement world[BoneCount];
    // Parents come before their children in the bone order.
    for (int b = 0; b < BoneCount; ++b) {
        const int parent = skeleton.parent[b];
        if (parent < 0) {
            world[b] = {pose.turn[b], skeleton.joint[b] + stance};
        } else {
            world[b] =
                world[parent] * Placement{pose.turn[b], skeleton.joint[b] - skeleton.joint[parent]};
        }
    }
    std::vector<Point3> out(mesh.rest.size());
    for (size_t i = 0; i < mesh.rest.size(); ++i) {
        const int b = mesh.bone[i];
        out[i] = world[b](mesh.rest[i] - skeleton.joint[b]);
    }
    return out;
}

namespace {

// Arms hang a little away from the body so the hands clear the hips.
Pose Relaxed() {
    Pose pose;
    pose.turn[UpperArmRight] = RotX(-6);
    pose.turn[UpperArmLeft] = RotX(6);
    pose.turn[ForearmRight] = RotY(-10);
    pose.turn[ForearmLeft] = RotY(-10);
    pose.turn[ThighRight] = RotX(-2);
    pose.turn[ThighLeft] = RotX(2);
    return pose;
}

// Breathing: the chest lifts and settles, the arms sway out a little, the knees give.
Pose Stand(double phase) {
    Pose pose = Relaxed();
    const double breath = 0.5 - 0.5 * std::cos(phase);
    // The knees give, the ankles keep the soles flat and the body sinks by as much as the
    // bent legs are shorter, so the feet stay on the ground.
    pose.shift = {0, 0, -0.29 * breath};
    pose.turn[Chest] = RotY(-2.5 * breath);
    pose.turn[Head] = RotY(2.0 * breath);
    pose.turn[UpperArmRight] = RotX(-6 - 3 * breath);
    pose.turn[UpperArmLeft] = RotX(6 + 3 * breath);
    pose.turn[ThighRight] = RotX(-2) * RotY(-10 * breath);
    pose.turn[ThighLeft] = RotX(2) * RotY(-10 * breath);
    pose.turn[ShinRight] = RotY(20 * breath);
    pose.turn[ShinLeft] = RotY(20 * breath);
    pose.turn[FootRight] = RotY(-10 * breath);
    pose.turn[FootLeft] = RotY(-10 * breath);
    return pose;
}

// One stride: legs swing opposite to the arms, the trailing knee folds, the body bounces
// twice and leans into the run.
Pose Run(double phase) {
    Pose pose = Relaxed();
    const double swing = std::sin(phase);
    // Highest while one foot passes under the body, lowest at full stride.
    pose.shift = {0, 0, -1.0 + 1.5 * std::abs(std::cos(phase))};
    pose.turn[Hips] = RotY(5);
    pose.turn[Chest] = RotY(8);
    pose.turn[Head] = RotY(-10);
    const double thighRight = -38 * swing, thighLeft = 38 * swing;
    const double kneeRight = 12 + 60 * std::max(0.0, -swing);
    const double kneeLeft = 12 + 60 * std::max(0.0, swing);
    pose.turn[ThighRight] = RotX(-2) * RotY(thighRight);
    pose.turn[ThighLeft] = RotX(2) * RotY(thighLeft);
    pose.turn[ShinRight] = RotY(kneeRight);
    pose.turn[ShinLeft] = RotY(kneeLeft);
    // The ankles take up half the lean of the shins so the toes do not dig in.
    pose.turn[FootRight] = RotY(-0.5 * (thighRight + kneeRight));
    pose.turn[FootLeft] = RotY(-0.5 * (thighLeft + kneeLeft));
    pose.turn[UpperArmRight] = RotX(-8) * RotY(32 * swing);
    pose.turn[UpperArmLeft] = RotX(8) * RotY(-32 * swing);
    pose.turn[ForearmRight] = RotY(-75);
    pose.turn[ForearmLeft] = RotY(-75);
    return pose;
}

// The right arm raised out to the side, the forearm upright and rocking from side to side;
// the head leans toward it.
Pose Wave(double phase) {
    Pose pose = Relaxed();
    const double rock = std::sin(phase);
    pose.turn[Chest] = RotX(2);
    pose.turn[Head] = RotX(-6 + 2 * rock);
    pose.turn[UpperArmRight] = RotX(-140);
    pose.turn[ForearmRight] = RotX(-35 + 22 * rock);
    pose.turn[UpperArmLeft] = RotX(7);
    return pose;
}

void AddAnimation(std::vector<NamedFrame>& frames, const Mesh& mesh, const char* name, int count,
                  Pose (*poseAt)(double)) {
    for (int k = 0; k < count; ++k) {
        char frameName[16];
        std::snprintf(frameName, sizeof frameName, "%s%02d", name, k + 1);
        frames.push_back({frameName, PosePositions(mesh, poseAt(2.0 * Pi * k / count))});
    }
}

}  // namespace

std::vector<NamedFrame> SampleFrames(const Mesh& mesh) {
    std::vector<NamedFrame> frames;
    AddAnimation(frames, mesh, "stand", StandFrames, Stand);
    AddAnimation(frames, mesh, "run", RunFrames, Run);
    AddAnimation(frames, mesh, "wave", WaveFrames, Wave);
    return frames;
}

}  // namespace varp::sample
