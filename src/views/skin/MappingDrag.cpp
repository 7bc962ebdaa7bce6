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
    // The DragSlot is the entry just past the valid ones; the table keeps one spare entry for
    // it, so a model whose every corner has a point of its own can still be edited.
    const int slot = app_.NumTexCoords;
    if (slot < 0 || slot > MaxTexCoords) return false;
    // The point drawn nearest the pointer, within GrabRadius pixels; of equally near ones the
    // first. Points are drawn at their texel's centre.
    const int64_t row = int64_t{BufferHeight} - 1 - p.y;
    int64_t nearest = int64_t{GrabRadius} * GrabRadius + 1;
    int point = -1;
    for (int i = 0; i < slot; ++i) {
        const SkinCoord c = app_.TexCoords[i];
        if (c.s < 0 || c.t < 0 || c.s >= app_.SkinWidth || c.t >= app_.SkinHeight) continue;
        const int64_t dx = int64_t{ColumnOf(c.s + 0.5)} - p.x;
        const int64_t dy = int64_t{RowOf(c.t + 0.5)} - row;
        if (dx * dx + dy * dy < nearest) {
            nearest = dx * dx + dy * dy;
            point = i;
        }
    }
    if (point < 0) return false;
    const SkinCoord at = app_.TexCoords[point];
    // The point keeps its offset from the pointer, so that it does not jump at the first move.
    const TexelPoint under = TexelUnder(p);
    grabOffset_ = {at.s - under.s, at.t - under.t};

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
    TexelPoint texel = TexelUnder(p);
    texel.s += grabOffset_.s;
    texel.t += grabOffset_.t;
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
