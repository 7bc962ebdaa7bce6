// The MD2 writer: rebuilds the header and every section but the frames, which are copied.
#include "formats/Md2Writer.h"

#include <algorithm>

#include "formats/FileBytes.h"
#include "formats/GlCommands.h"
#include "formats/Md2Format.h"

namespace varp {

std::vector<uint8_t> LayOutMd2(const Md2Parts& p) {
    std::vector<int32_t> glcmds(MaxGlCommandWords);
    const int numGlCmds = BuildGlCommands(p.triangles, p.numTriangles, p.coords, p.skinWidth,
                                          p.skinHeight, glcmds.data());
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
    if (p.numFrames > 0) {
        std::copy_n(p.frames, static_cast<size_t>(p.frameSize) * static_cast<size_t>(p.numFrames),
                    f + ofsFrames);
    }
    for (int i = 0; i < numGlCmds; ++i) md2::PutInt(f + ofsGlCmds + 4 * i, glcmds[i]);
    return file;
}

int SaveModel(App& app, const std::string& path) {
    const std::vector<uint8_t>& image = app.ModelFileImage;
    if (image.size() < md2::HeaderSize) {
        app.Sys.MessageBox("There is no model to save.", Buttons::Ok, Icon::Exclamation);
        return 0;
    }
    Md2Parts parts;
    std::copy_n(image.begin(), 8, parts.identAndVersion);
    for (const auto& skin : app.Skins) {
        if (skin->Flags & Unlinked) continue;
        if (skin->Name.size() >= md2::SkinNameSize) {
            app.Sys.MessageBox("The skin name \"" + skin->Name +
                                   "\" is too long for a model file (63 characters at most).",
                               Buttons::Ok, Icon::Exclamation);
            return 0;
        }
        parts.skinNames.push_back(skin->Name);
    }
    const md2::Header h = md2::ReadHeader(image.data());
    parts.skinWidth = app.SkinWidth;
    parts.skinHeight = app.SkinHeight;
    parts.frameSize = h.framesize;
    parts.numVertices = app.NumVertices;
    parts.numFrames = static_cast<int32_t>(app.Frames.size());
    parts.coords = app.TexCoords;
    parts.numCoords = app.NumTexCoords;
    parts.triangles = app.Triangles;
    parts.numTriangles = app.NumTriangles;
    // The reader accepted the image only with its whole frame section inside it.
    parts.frames = parts.numFrames > 0 ? image.data() + h.ofs_frames : nullptr;
    return WriteWholeFile(app.Sys, path, LayOutMd2(parts));
}

}  // namespace varp
