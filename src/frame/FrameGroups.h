// The animations of a model: its frames grouped by name, as the game's frame names run
// ("stand01" to "stand40" is the group "stand").
#pragma once

#include <string_view>

#include "app/Workspace.h"

namespace varp {

// The group of a frame name: its letters before the trailing digits.
std::string_view FrameGroup(std::string_view name);

// The frame that follows `index` when its group plays: the next one while the neighbours are of
// the same group, else the first of that run of neighbours. `index` itself when it is alone, or
// out of range.
int NextFrameInGroup(const FrameList& frames, int index);

}  // namespace varp
