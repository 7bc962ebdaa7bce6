// The menu icon of a player skin: NAME_i.pcx beside NAME.pcx, the picture the game's player
// menu shows for the skin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/App.h"

namespace varp {

inline constexpr int MenuIconSize = 32;

// The current frame with the current skin, seen from the front (from +x, where a model faces,
// z up), drawn by the 3D view's renderer into 32 x 32 texels of the skin's palette, top row
// first, background index 0. The camera looks at the middle of the frame's bounding box from
// four times its largest side away, with the field of view that makes the larger of its width
// and height, as seen at the nearest face of the box, span 28 pixels: the whole model, centred,
// with at least a pixel of background at each edge. Empty without a frame or a skin.
std::vector<uint8_t> RenderMenuIcon(App& app);

// Where the icon of a skin file goes: beside it, its name with "_i" before the extension.
std::string MenuIconPath(const std::string& skinPath);

// Skins > Make Menu Icon: writes the current skin's icon beside its file and says where.
void SkinMakeMenuIcon(App& app);

}  // namespace varp
