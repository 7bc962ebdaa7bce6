// Mapping steps: the differing coordinate entries and triangle corners, exchanged.
#include "edit/MappingStep.h"

#include <algorithm>
#include <cstring>

namespace varp {

MappingChange::Corners MappingChange::CornersOf(const ModelTriangle& t) {
    Corners c;
    std::copy_n(t.TexCoord, 3, c.TexCoord);
    std::copy_n(t.CornerST, 3, c.CornerST);
    return c;
}

MappingChange::MappingChange(const Workspace& ws)
    : numTexCoords_(ws.NumTexCoords), coords_(std::begin(ws.TexCoords), std::end(ws.TexCoords)) {
    triangles_.reserve(static_cast<size_t>(std::max<int16_t>(ws.NumTriangles, 0)));
    for (int i = 0; i < ws.NumTriangles; ++i) triangles_.push_back(CornersOf(ws.Triangles[i]));
}

std::unique_ptr<EditStep> MappingChange::Finish(const char* label, Workspace& ws) const {
    auto step = std::make_unique<MappingStep>(label);
    step->otherNumTexCoords_ = numTexCoords_;
    // The valid entries on either side; past them the table holds only where a drag parked its
    // point, which no one reads. An entry valid on one side only is kept even when it is equal
    // now: the next drag parks its point there, and taking this step back must still find it.
    const int both = std::min<int>(numTexCoords_, ws.NumTexCoords);
    const int entries = std::max<int>(numTexCoords_, ws.NumTexCoords);
    for (int i = 0; i < entries && i < static_cast<int>(coords_.size()); ++i) {
        const SkinCoord before = coords_[static_cast<size_t>(i)];
        if (i >= both || !(before == ws.TexCoords[i])) step->coords_.push_back({i, before});
    }
    for (int i = 0; i < ws.NumTriangles && i < static_cast<int>(triangles_.size()); ++i) {
        const Corners& before = triangles_[static_cast<size_t>(i)];
        const Corners now = CornersOf(ws.Triangles[i]);
        if (std::memcmp(&before, &now, sizeof before) != 0) step->triangles_.push_back({i, before});
    }
    if (step->coords_.empty() && step->triangles_.empty() && numTexCoords_ == ws.NumTexCoords) {
        return nullptr;
    }
    step->coords_.shrink_to_fit();
    step->triangles_.shrink_to_fit();
    step->otherRevision_ = ws.ModelRevision;
    ws.ModelRevision = ws.NewRevision();
    return step;
}

void MappingStep::Swap(Workspace& ws) {
    std::swap(otherNumTexCoords_, ws.NumTexCoords);
    for (auto& [i, coord] : coords_) std::swap(coord, ws.TexCoords[i]);
    for (auto& [i, corners] : triangles_) {
        ModelTriangle& t = ws.Triangles[i];
        for (int k = 0; k < 3; ++k) {
            std::swap(corners.TexCoord[k], t.TexCoord[k]);
            std::swap(corners.CornerST[k], t.CornerST[k]);
        }
    }
    std::swap(otherRevision_, ws.ModelRevision);
}

size_t MappingStep::Bytes() const {
    return sizeof(*this) + coords_.capacity() * sizeof(coords_[0]) +
           triangles_.capacity() * sizeof(triangles_[0]);
}

}  // namespace varp
