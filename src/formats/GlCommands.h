// The GL command list of an MD2 file: the triangles as strips and fans, with float skin
// coordinates, so the game can draw the model without the triangle table.
#pragma once

#include <cstdint>
#include <vector>

#include "app/Workspace.h"

namespace varp {

// Enough for the worst case: every one of 4096 triangles alone (10 words each) and the end mark.
inline constexpr int MaxGlCommandWords = 10 * MaxTriangles + 1;

// Builds the list for `count` triangles whose corners index `coords`; returns its length in
// words, end marker included. `out` must hold MaxGlCommandWords words.
int BuildGlCommands(const ModelTriangle* triangles, int count, const SkinCoord* coords,
                    int skinWidth, int skinHeight, int32_t* out);

// The same for the model in the Workspace.
int BuildGlCommands(const Workspace& ws, int32_t* out);

}  // namespace varp
