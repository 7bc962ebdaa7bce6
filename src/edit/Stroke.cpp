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

bool Stroke::Paint(Workspace& ws, int32_t s, int32_t t, const std::array<uint8_t, 256>& ink) {
    if (skin_ == nullptr || s < 0 || t < 0 || s >= skin_->Width || t >= skin_->Height) {
        return false;
    }
    return Paint(ws, s, t, ink[Before(s, t)]);
}

void Stroke::Revert() {
    if (skin_ == nullptr || area_.Empty()) return;
    const auto width = static_cast<size_t>(skin_->Width);
    for (int32_t t = area_.Top; t <= area_.Bottom; ++t) {
        const size_t row = static_cast<size_t>(t) * width;
        std::copy(
            before_.begin() + static_cast<ptrdiff_t>(row + static_cast<size_t>(area_.Left)),
            before_.begin() + static_cast<ptrdiff_t>(row + static_cast<size_t>(area_.Right)) + 1,
            skin_->Pixels.begin() + static_cast<ptrdiff_t>(row + static_cast<size_t>(area_.Left)));
    }
    event_.Add(area_);
}

std::unique_ptr<EditStep> Stroke::End(const char* label) {
    SkinImage* skin = skin_;
    skin_ = nullptr;
    if (skin == nullptr || !changed_) return nullptr;
    auto step = std::make_unique<SkinStep>(label, *skin);
    step->Pixels.Record(before_, skin->Pixels, skin->Width, area_);
    if (step->Pixels.Empty()) {
        // Whatever the stroke wrote, it took back (a line drawn and then pulled back onto texels
        // of its own colour): the skin is as it was.
        skin->Revision = revisionBefore_;
        return nullptr;
    }
    step->OtherRevision = revisionBefore_;
    return step;
}

}  // namespace varp
