// Parsing MD2 files: bytes in, a model or the reason it cannot be one out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "formats/Md2Format.h"

namespace varp {

// Largest skin side a model may declare; real skins are far smaller, and the limit keeps a
// damaged header from asking for gigabytes of stand-in skin.
inline constexpr int MaxSkinSide = 4096;

// Everything the Workspace takes from a model file.
struct Md2Model {
    md2::Header Header;
    int16_t SkinWidth = 0;
    int16_t SkinHeight = 0;
    int16_t NumVertices = 0;
    // The file's coordinate table, every coordinate pulled inside the skin.
    std::vector<SkinCoord> TexCoords;
    // Whether any coordinate lay outside the skin and was moved to its edge.
    bool CoordsMoved = false;
    // Flags 0; CornerST taken from TexCoords.
    std::vector<ModelTriangle> Triangles;
    std::vector<std::string> SkinNames;
    FrameList Frames;
    // Every byte of the file, for the writer.
    std::vector<uint8_t> FileImage;
};

// Parses a whole MD2 file against everything the Workspace and the renderers rely on. Returns
// the empty string and fills *model (taking the bytes as its FileImage) for a usable file; else
// the one-sentence message that says what is wrong ("This is not an MD2!" when the
// identification is wrong), and *model is left alone.
std::string ParseMd2(std::vector<uint8_t> bytes, Md2Model* model);

}  // namespace varp
