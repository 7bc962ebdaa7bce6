// The GL command list of an MD2 file: the triangles as strips and fans, with float skin
// coordinates, so the game can draw the model without the triangle table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "formats/ByteView.h"

namespace varp {

// Builds the list for `count` triangles whose corners index `coords`, end mark included.
std::vector<int32_t> BuildGlCommands(const ModelTriangle* triangles, int count,
                                     const SkinCoord* coords, int skinWidth, int skinHeight);

// The same for the model in the Workspace.
std::vector<int32_t> BuildGlCommands(const Workspace& ws);

// One strip or fan of a list: s, t and the vertex index of each of its vertices.
struct GlVertex {
    float S = 0;
    float T = 0;
    int32_t Vertex = 0;
    bool operator==(const GlVertex&) const = default;
};
struct GlRun {
    bool Fan = false;
    std::vector<GlVertex> Vertices;
};

// Reads a list as a file holds it (little-endian words) into its runs. Returns the empty
// string for a well-formed list (runs of three vertices or more, ended by a single 0 word that
// is the last word), else what is wrong with it.
std::string DecodeGlCommands(ByteView words, std::vector<GlRun>* runs);

}  // namespace varp
