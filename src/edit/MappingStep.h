// A change to the mapping: the skin-coordinate table and the corners of the triangles that use
// it, as a mapping drag leaves them. Only the entries and triangles that differ are kept.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "app/History.h"
#include "app/Workspace.h"

namespace varp {

// The mapping as it was before a change: the coordinate table and every triangle's corners.
class MappingChange {
  public:
    explicit MappingChange(const Workspace& ws);

    // The step from the state captured to the Workspace's present one, with a new model
    // revision; null when the mapping is as it was.
    std::unique_ptr<EditStep> Finish(const char* label, Workspace& ws) const;

  private:
    struct Corners {
        int16_t TexCoord[3];
        SkinCoord CornerST[3];
    };
    friend class MappingStep;
    static Corners CornersOf(const ModelTriangle& t);

    int16_t numTexCoords_;
    std::vector<SkinCoord> coords_;
    std::vector<Corners> triangles_;
};

class MappingStep : public EditStep {
  public:
    explicit MappingStep(const char* label) : EditStep(label) {}
    void Swap(Workspace& ws) override;
    size_t Bytes() const override;

  private:
    friend class MappingChange;
    int16_t otherNumTexCoords_ = 0;
    std::vector<std::pair<int32_t, SkinCoord>> coords_;
    std::vector<std::pair<int32_t, MappingChange::Corners>> triangles_;
    uint64_t otherRevision_ = 0;
};

}  // namespace varp
