// Laying out MD2 files: the sections of a model as the bytes of a whole file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "formats/ByteView.h"

namespace varp {

// Everything an MD2 file is made of; the GL command list is built from the triangles.
struct Md2Parts {
    uint8_t identAndVersion[8] = {'I', 'D', 'P', '2', 8, 0, 0, 0};
    int32_t skinWidth = 0;
    int32_t skinHeight = 0;
    int32_t frameSize = 0;  // bytes per frame record
    int32_t numVertices = 0;
    int32_t numFrames = 0;
    std::vector<std::string> skinNames;  // each under 64 characters
    const SkinCoord* coords = nullptr;
    int numCoords = 0;
    const ModelTriangle* triangles = nullptr;
    int numTriangles = 0;
    ByteView frames;  // numFrames x frameSize bytes; what it lacks is written as zeros
};

// Lays the parts out as a whole file: header, skin names, coordinates, triangles, frames,
// GL commands, in that order.
std::vector<uint8_t> LayOutMd2(const Md2Parts& parts);

}  // namespace varp
