// The MD2 layout: the header computed, every section placed after it, the GL commands built.
#include "formats/Md2Layout.h"

#include <algorithm>

#include "formats/GlCommands.h"
#include "formats/Md2Format.h"

namespace varp {

std::vector<uint8_t> LayOutMd2(const Md2Parts& p) {
    const std::vector<int32_t> glcmds =
        BuildGlCommands(p.triangles, p.numTriangles, p.coords, p.skinWidth, p.skinHeight);
    const auto numGlCmds = static_cast<int32_t>(glcmds.size());
    const auto numSkins = static_cast<int32_t>(p.skinNames.size());
    const int32_t ofsSkins = md2::HeaderSize;
    const int32_t ofsSt = ofsSkins + static_cast<int32_t>(md2::SkinNameSize) * numSkins;
    const int32_t ofsTris = ofsSt + static_cast<int32_t>(md2::CoordSize) * p.numCoords;
    const int32_t ofsFrames = ofsTris + static_cast<int32_t>(md2::TriangleSize) * p.numTriangles;
    const int32_t ofsGlCmds = ofsFrames + p.frameSize * p.numFrames;
    const int32_t ofsEnd = ofsGlCmds + 4 * numGlCmds;

    std::vector<uint8_t> file(static_cast<size_t>(ofsEnd), 0);
    uint8_t* f = file.data();
    std::copy_n(p.identAndVersion, 8, f);
    const int32_t fields[] = {p.skinWidth, p.skinHeight,   p.frameSize, numSkins,    p.numVertices,
                              p.numCoords, p.numTriangles, numGlCmds,   p.numFrames, ofsSkins,
                              ofsSt,       ofsTris,        ofsFrames,   ofsGlCmds,   ofsEnd};
    for (size_t i = 0; i < std::size(fields); ++i) md2::PutInt(f + 8 + 4 * i, fields[i]);

    for (int32_t i = 0; i < numSkins; ++i) {
        const std::string& name = p.skinNames[static_cast<size_t>(i)];
        std::copy_n(name.begin(), std::min(name.size(), md2::SkinNameSize - 1),
                    f + ofsSkins + md2::SkinNameSize * static_cast<size_t>(i));
    }
    for (int i = 0; i < p.numCoords; ++i) {
        md2::PutShort(f + ofsSt + 4 * i, p.coords[i].s);
        md2::PutShort(f + ofsSt + 4 * i + 2, p.coords[i].t);
    }
    for (int i = 0; i < p.numTriangles; ++i) {
        uint8_t* r = f + ofsTris + 12 * i;
        for (int k = 0; k < 3; ++k) {
            md2::PutShort(r + 2 * k, p.triangles[i].Vertex[k]);
            md2::PutShort(r + 6 + 2 * k, p.triangles[i].TexCoord[k]);
        }
    }
    const size_t frameBytes = static_cast<size_t>(std::max(p.frameSize, 0)) *
                              static_cast<size_t>(std::max(p.numFrames, 0));
    std::copy_n(p.frames.Data(), std::min(frameBytes, p.frames.Size()), f + ofsFrames);
    for (int32_t i = 0; i < numGlCmds; ++i)
        md2::PutInt(f + ofsGlCmds + 4 * i, glcmds[static_cast<size_t>(i)]);
    return file;
}

}  // namespace varp
