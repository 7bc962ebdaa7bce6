// Dragging a mapping point on the flat skin: the grab that re-points corners to the DragSlot,
// the moves that carry them along, and the end that rebuilds the shared coordinate table.
#include <algorithm>
#include <cstdint>

#include "views/skin/SkinBox.h"

namespace varp {

namespace {

// Re-points to `slot` the first corner of `triangle` that uses point `point` and marks the
// triangle Grabbed; a triangle that does not use the point loses its Grabbed mark. Returns
// whether a corner was re-pointed.
bool TakeCorner(ModelTriangle& triangle, int point, int slot, SkinCoord at) {
    for (int k = 0; k < 3; ++k) {
        if (triangle.TexCoord[k] != point) continue;
        triangle.Flags |= Grabbed;
        triangle.TexCoord[k] = static_cast<int16_t>(slot);
        triangle.CornerST[k] = at;
        return true;
    }
    triangle.Flags &= ~Grabbed;
    return false;
}

}  // namespace

bool SkinBox::GrabPoint(ClientPoint p) {
    const TexelPoint texel = TexelUnder(p);
    if (texel.s < 0 || texel.t < 0 || texel.s >= app_.SkinWidth || texel.t >= app_.SkinHeight) {
        return false;
    }
    // The DragSlot is the entry just past the valid ones; the table keeps one spare entry for
    // it, so a model whose every corner has a point of its own can still be edited.
    const int slot = app_.NumTexCoords;
    if (slot < 0 || slot > MaxTexCoords) return false;
    const SkinCoord at{static_cast<int16_t>(texel.s), static_cast<int16_t>(texel.t)};
    // A point is hit only on its own texel; of equal entries the first counts.
    const SkinCoord* const first = app_.TexCoords;
    const SkinCoord* const found = std::find(first, first + slot, at);
    if (found == first + slot) return false;
    const auto point = static_cast<int>(found - first);

    dragBefore_ = std::make_unique<MappingChange>(app_);
    app_.TexCoords[slot] = at;
    const int numTriangles = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
    // With a selection that uses the point, only the selected triangles take it along and it is
    // split off from the others; otherwise it moves for every triangle.
    bool taken = false;
    for (int i = 0; i < numTriangles; ++i) {
        ModelTriangle& triangle = app_.Triangles[i];
        if ((triangle.Flags & Selected) != 0) taken |= TakeCorner(triangle, point, slot, at);
    }
    if (!taken) {
        for (int i = 0; i < numTriangles; ++i) TakeCorner(app_.Triangles[i], point, slot, at);
    }
    host_.SendRefresh(Refresh::Everything);
    DragState = Drag::MovePoint;
    host_.SetCapture();
    return true;
}

void SkinBox::MoveDragSlot(ClientPoint p) {
    const TexelPoint texel = TexelUnder(p);
    const SkinCoord at{
        static_cast<int16_t>(std::clamp(texel.s, 0, std::max(app_.SkinWidth - 1, 0))),
        static_cast<int16_t>(std::clamp(texel.t, 0, std::max(app_.SkinHeight - 1, 0)))};
    const int slot = app_.NumTexCoords;
    if (slot < 0 || slot > MaxTexCoords) return;
    SkinCoord& dragSlot = app_.TexCoords[slot];
    if (dragSlot == at) return;
    dragSlot = at;
    const int numTriangles = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
    for (int i = 0; i < numTriangles; ++i) {
        ModelTriangle& triangle = app_.Triangles[i];
        for (int k = 0; k < 3; ++k) {
            if (triangle.TexCoord[k] != slot) continue;
            triangle.CornerST[k] = at;
            break;
        }
    }
    host_.SendRefresh(Refresh::Everything);
}

void SkinBox::EndMappingDrag() {
    // The moved corners hold the new place and index the DragSlot: the rebuild gives the point
    // an entry of its own, or merges it with a point already at that texel.
    app_.RebuildTexCoords();
    const int numTriangles = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
    for (int i = 0; i < numTriangles; ++i) app_.Triangles[i].Flags &= ~Grabbed;
    if (dragBefore_) app_.Edits.Push(dragBefore_->Finish("Mapping Drag", app_));
    dragBefore_.reset();
    host_.SendRefresh(Refresh::Everything);
}

}  // namespace varp
