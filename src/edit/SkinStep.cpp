// Skin steps: recording the changed texels of a buffer and exchanging them.
#include "edit/SkinStep.h"

namespace varp {

void TexelSwap::Record(const std::vector<uint8_t>& before, const std::vector<uint8_t>& now,
                       int width, const TexelRect& area) {
    packed_.clear();
    if (area.Empty() || before.size() != now.size()) return;
    for (int32_t t = area.Top; t <= area.Bottom; ++t) {
        for (int32_t s = area.Left; s <= area.Right; ++s) {
            const auto offset = static_cast<uint32_t>(t * width + s);
            if (before[offset] == now[offset]) continue;
            for (int b = 0; b < 4; ++b) packed_.push_back(static_cast<uint8_t>(offset >> (8 * b)));
            packed_.push_back(before[offset]);
        }
    }
    packed_.shrink_to_fit();
}

namespace {

uint32_t OffsetAt(const std::vector<uint8_t>& packed, size_t i) {
    return packed[i] | packed[i + 1] << 8 | packed[i + 2] << 16 |
           static_cast<uint32_t>(packed[i + 3]) << 24;
}

}  // namespace

void TexelSwap::Swap(std::vector<uint8_t>& buffer) {
    for (size_t i = 0; i + 5 <= packed_.size(); i += 5) {
        const uint32_t offset = OffsetAt(packed_, i);
        if (offset < buffer.size()) std::swap(buffer[offset], packed_[i + 4]);
    }
}

TexelRect TexelSwap::Area(int width) const {
    TexelRect area;
    if (width < 1) return area;
    const auto w = static_cast<uint32_t>(width);
    for (size_t i = 0; i + 5 <= packed_.size(); i += 5) {
        const uint32_t offset = OffsetAt(packed_, i);
        area.Add(static_cast<int32_t>(offset % w), static_cast<int32_t>(offset / w));
    }
    return area;
}

void SkinStep::Swap(Workspace&) {
    Pixels.Swap(skin_.Pixels);
    if (Stored) std::swap(*Stored, skin_.StoredPixels);
    if (Palette) std::swap(*Palette, skin_.Palette);
    std::swap(OtherRevision, skin_.Revision);
}

size_t SkinStep::Bytes() const {
    return sizeof(*this) + Pixels.Bytes() + (Stored ? Stored->capacity() : 0) +
           (Palette ? Palette->size() : 0);
}

std::unique_ptr<EditStep> SkinChange::Finish(const char* label, Workspace& ws) const {
    auto step = std::make_unique<SkinStep>(label, skin_);
    const TexelRect whole = TexelRect::Whole(skin_.Width, skin_.Height);
    step->Pixels.Record(pixels_, skin_.Pixels, skin_.Width, whole);
    if (stored_ != skin_.StoredPixels)
        step->Stored = std::make_unique<std::vector<uint8_t>>(stored_);
    if (palette_ != skin_.Palette)
        step->Palette = std::make_unique<std::array<uint8_t, 768>>(palette_);
    if (step->Pixels.Empty() && !step->Stored && !step->Palette) return nullptr;
    step->OtherRevision = skin_.Revision;
    // The checkpoint alone is not what the file holds: storing it changes nothing unsaved.
    if (!step->Pixels.Empty() || step->Palette) skin_.Revision = ws.NewRevision();
    return step;
}

}  // namespace varp
