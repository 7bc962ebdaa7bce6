// Workspace invariants, shared by the fuzz targets and the soak test.
#include "support/WorkspaceInvariants.h"

namespace varp::test {

std::string BrokenInvariant(const Workspace& ws, bool mappingDrag) {
    const int skins = static_cast<int>(ws.Skins.size());
    if (ws.CurrentSkinIndex == -1) {
        if (ws.CurrentSkin != nullptr) return "a current skin without an index";
    } else if (ws.CurrentSkinIndex < 0 || ws.CurrentSkinIndex >= skins ||
               ws.CurrentSkin != ws.Skins[static_cast<size_t>(ws.CurrentSkinIndex)].get()) {
        return "the current skin is not the one its index names";
    }
    if (ws.Frames.empty()
            ? ws.CurrentFrame != nullptr
            : (ws.CurrentFrameIndex < 0 ||
               ws.CurrentFrameIndex >= static_cast<int>(ws.Frames.size()) ||
               ws.CurrentFrame != ws.Frames[static_cast<size_t>(ws.CurrentFrameIndex)].get())) {
        return "the current frame is not the one its index names";
    }
    const size_t texels = static_cast<size_t>(ws.SkinWidth) * static_cast<size_t>(ws.SkinHeight);
    for (const auto& s : ws.Skins) {
        if (s->Width != ws.SkinWidth || s->Height != ws.SkinHeight) return "a skin of another size";
        if (s->Pixels.size() != texels || s->StoredPixels.size() != texels)
            return "skin buffers of another size";
    }
    for (const auto& f : ws.Frames) {
        if (f->Vertices.size() != static_cast<size_t>(ws.NumVertices))
            return "a frame with another vertex count";
    }
    if (ws.NumTexCoords > 3 * ws.NumTriangles) return "more coordinates than corners";
    const int slot = mappingDrag ? ws.NumTexCoords : ws.NumTexCoords - 1;
    for (int i = 0; i <= slot; ++i) {
        const SkinCoord c = ws.TexCoords[i];
        if (c.s < 0 || c.s >= ws.SkinWidth || c.t < 0 || c.t >= ws.SkinHeight)
            return "a coordinate outside the skin";
    }
    for (int i = 0; i < ws.NumTriangles; ++i) {
        const ModelTriangle& t = ws.Triangles[i];
        for (int k = 0; k < 3; ++k) {
            if (t.Vertex[k] < 0 || t.Vertex[k] >= ws.NumVertices)
                return "a vertex index out of range";
            if (t.TexCoord[k] < 0 || t.TexCoord[k] > slot) return "a coordinate index out of range";
            if (!(t.CornerST[k] == ws.TexCoords[t.TexCoord[k]]))
                return "a corner that disagrees with its entry";
        }
        if (!mappingDrag && (t.Flags & Grabbed) != 0)
            return "a grabbed triangle outside a mapping drag";
    }
    return std::string();
}

}  // namespace varp::test
