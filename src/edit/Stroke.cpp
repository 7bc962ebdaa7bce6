// Paint strokes: writing texels under the colour locks and keeping what the stroke changed.
#include "edit/Stroke.h"

#include <algorithm>

namespace varp {

void Stroke::Begin(Workspace& ws) {
    skin_ = ws.CurrentSkin;
    area_ = TexelRect();
    event_ = TexelRect();
    changed_ = false;
    if (skin_ == nullptr) return;
    before_.resize(skin_->Pixels.size());
    std::copy(skin_->Pixels.begin(), skin_->Pixels.end(), before_.begin());
}

bool Stroke::Paint(Workspace& ws, int32_t s, int32_t t, uint8_t colour) {
    if (skin_ == nullptr || s < 0 || t < 0 || s >= skin_->Width || t >= skin_->Height) {
        return false;
    }
    const auto offset =
        static_cast<size_t>(t) * static_cast<size_t>(skin_->Width) + static_cast<size_t>(s);
    uint8_t& texel = skin_->Pixels[offset];
    if (ws.ColourLocks[texel] != 0) return false;
    if (texel != colour && !changed_) {
        // The skin holds unsaved work from the first texel on, not only once the stroke ends.
        changed_ = true;
        revisionBefore_ = skin_->Revision;
        skin_->Revision = ws.NewRevision();
    }
    texel = colour;
    area_.Add(s, t);
    event_.Add(s, t);
    return true;
}

std::unique_ptr<EditStep> Stroke::End(const char* label) {
    SkinImage* skin = skin_;
    skin_ = nullptr;
    if (skin == nullptr || !changed_) return nullptr;
    auto step = std::make_unique<SkinStep>(label, *skin);
    step->Pixels.Record(before_, skin->Pixels, skin->Width, area_);
    step->OtherRevision = revisionBefore_;
    return step;
}

}  // namespace varp
