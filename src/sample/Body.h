// The demo character: a low-poly armoured humanoid about 56 units tall, facing +x, z up.
#pragma once

#include "sample/Mesh.h"

namespace varp::sample {

// The bones that carry the pieces; each turns about its joint.
enum Bone : int {
    Hips,
    Chest,
    Head,
    UpperArmRight,
    ForearmRight,
    UpperArmLeft,
    ForearmLeft,
    ThighRight,
    ShinRight,
    ThighLeft,
    ShinLeft,
    FootRight,
    FootLeft,
    BoneCount
};

struct Skeleton {
    int parent[BoneCount];
    Point3 joint[BoneCount];  // rest-pose joint positions in model space
};

const Skeleton& BodySkeleton();

// The character in its rest pose (arms hanging, feet together, soles at z = -24, the crest's
// top at z = 31), every piece mapped onto its own rectangle of the skin layout.
Mesh BuildBody();

}  // namespace varp::sample
