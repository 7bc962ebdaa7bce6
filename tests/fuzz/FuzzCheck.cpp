// Workspace invariants for the fuzz targets, and their scratch folder.
#include "fuzz/FuzzCheck.h"

#include <stdlib.h>

namespace varp::fuzz {

std::string RunFolder() {
    static const std::string dir = [] {
        char templ[] = "/tmp/varp-fuzz-XXXXXX";
        const char* made = mkdtemp(templ);
        Require(made != nullptr, "scratch folder");
        return std::string(made);
    }();
    return dir;
}

void CheckWorkspace(const App& app) {
    Require(app.ModelLoaded == 1, "ModelLoaded");
    const int skins = static_cast<int>(app.Skins.size());
    if (app.CurrentSkinIndex == -1) {
        Require(app.CurrentSkin == nullptr, "no current skin");
    } else {
        Require(app.CurrentSkinIndex >= 0 && app.CurrentSkinIndex < skins, "skin index range");
        Require(app.CurrentSkin == app.Skins[static_cast<size_t>(app.CurrentSkinIndex)].get(), "current skin");
    }
    Require(app.Frames.empty() ? app.CurrentFrame == nullptr
                               : app.CurrentFrame == app.Frames[static_cast<size_t>(app.CurrentFrameIndex)].get(),
            "current frame");
    const size_t texels = static_cast<size_t>(app.SkinWidth) * static_cast<size_t>(app.SkinHeight);
    for (const auto& s : app.Skins) {
        Require(s->Width == app.SkinWidth && s->Height == app.SkinHeight, "skin size");
        Require(s->Pixels.size() == texels && s->StoredPixels.size() == texels, "skin buffers");
    }
    for (const auto& f : app.Frames) {
        Require(f->Vertices.size() == static_cast<size_t>(app.NumVertices), "frame vertices");
    }
    Require(app.NumTexCoords <= 3 * app.NumTriangles, "coordinate count");
    for (int i = 0; i < app.NumTexCoords; ++i) {
        const SkinCoord c = app.TexCoords[i];
        Require(c.s >= 0 && c.s < app.SkinWidth && c.t >= 0 && c.t < app.SkinHeight, "coordinate inside skin");
    }
    for (int i = 0; i < app.NumTriangles; ++i) {
        const ModelTriangle& t = app.Triangles[i];
        for (int k = 0; k < 3; ++k) {
            Require(t.Vertex[k] >= 0 && t.Vertex[k] < app.NumVertices, "vertex index");
            Require(t.TexCoord[k] >= 0 && t.TexCoord[k] < app.NumTexCoords, "coordinate index");
            Require(t.CornerST[k] == app.TexCoords[t.TexCoord[k]], "corner agrees with its entry");
        }
    }
}

}  // namespace varp::fuzz
