// Where each piece of the demo character lives on its 256 x 256 skin; shared by the mesh
// builder (which maps onto these rectangles) and the painter (which draws into them).
#pragma once

#include "sample/Mesh.h"

namespace varp::sample::layout {

inline constexpr int SkinSide = 256;

// Top band: the head with its face, the torso with the chest emblem, crest and backpack.
inline constexpr SkinRect Head{0, 0, 96, 80};
inline constexpr SkinRect Torso{96, 0, 112, 80};
inline constexpr SkinRect Crest{208, 0, 48, 24};
inline constexpr SkinRect Backpack{208, 24, 48, 56};
// Second band: hips and belt, shoulder pads, neck, gloves.
inline constexpr SkinRect Pelvis{0, 80, 112, 48};
inline constexpr SkinRect PadRight{112, 80, 64, 24};
inline constexpr SkinRect PadLeft{112, 104, 64, 24};
inline constexpr SkinRect Neck{176, 80, 80, 16};
inline constexpr SkinRect HandRight{176, 96, 40, 32};
inline constexpr SkinRect HandLeft{216, 96, 40, 32};
// Third band: the arms.
inline constexpr SkinRect UpperArmRight{0, 128, 64, 64};
inline constexpr SkinRect UpperArmLeft{64, 128, 64, 64};
inline constexpr SkinRect ForearmRight{128, 128, 64, 64};
inline constexpr SkinRect ForearmLeft{192, 128, 64, 64};
// Bottom band: the legs.
inline constexpr SkinRect ThighRight{0, 192, 48, 64};
inline constexpr SkinRect ThighLeft{48, 192, 48, 64};
inline constexpr SkinRect ShinRight{96, 192, 48, 64};
inline constexpr SkinRect ShinLeft{144, 192, 48, 64};
inline constexpr SkinRect BootRight{192, 192, 32, 64};
inline constexpr SkinRect BootLeft{224, 192, 32, 64};

}  // namespace varp::sample::layout
