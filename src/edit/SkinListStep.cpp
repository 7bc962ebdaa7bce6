// Skin list steps: the list's order and fields exchanged, the skins off the list kept.
#include "edit/SkinListStep.h"

#include <algorithm>

namespace varp {

namespace {

// The names the model file lists: the linked skins', in order.
std::vector<std::string> ModelSkinNames(const std::vector<SkinListChange::Entry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) {
        if ((e.Flags & Unlinked) == 0) names.push_back(e.Name);
    }
    return names;
}

}  // namespace

std::vector<SkinListChange::Entry> ListEntries(const Workspace& ws) {
    std::vector<SkinListChange::Entry> entries;
    for (const auto& s : ws.Skins)
        entries.push_back({s.get(), s->Name, s->Path, s->Flags, s->OnDisk});
    return entries;
}

SkinListChange::SkinListChange(const Workspace& ws)
    : entries_(ListEntries(ws)), current_(ws.CurrentSkinIndex) {}

std::unique_ptr<EditStep> SkinListChange::Finish(const char* label, Workspace& ws) {
    const std::vector<Entry> now = ListEntries(ws);
    if (now == entries_ && ws.CurrentSkinIndex == current_) return nullptr;
    auto step = std::make_unique<SkinListStep>(label);
    step->other_ = entries_;
    step->otherCurrent_ = current_;
    step->kept_ = std::move(kept_);
    step->changesModel_ = ModelSkinNames(entries_) != ModelSkinNames(now);
    if (step->changesModel_) {
        step->otherModelRevision_ = ws.ModelRevision;
        ws.ModelRevision = ws.NewRevision();
    }
    return step;
}

void SkinListStep::Swap(Workspace& ws) {
    std::vector<SkinListChange::Entry> mine = ListEntries(ws);
    const int16_t myCurrent = ws.CurrentSkinIndex;
    // Every skin of either side, whoever holds it now.
    SkinList pool = std::move(ws.Skins);
    for (auto& skin : kept_) pool.push_back(std::move(skin));
    kept_.clear();
    ws.Skins.clear();
    for (const auto& e : other_) {
        auto it = std::find_if(pool.begin(), pool.end(),
                               [&](const auto& p) { return p.get() == e.Skin; });
        std::unique_ptr<SkinImage> skin = std::move(*it);
        pool.erase(it);
        skin->Name = e.Name;
        skin->Path = e.Path;
        skin->Flags = e.Flags;
        skin->OnDisk = e.OnDisk;
        ws.Skins.push_back(std::move(skin));
    }
    kept_ = std::move(pool);
    other_ = std::move(mine);
    ws.SelectSkin(otherCurrent_);
    otherCurrent_ = myCurrent;
    if (changesModel_) std::swap(otherModelRevision_, ws.ModelRevision);
}

size_t SkinListStep::Bytes() const {
    size_t bytes = sizeof(*this) + other_.capacity() * sizeof(other_[0]);
    for (const auto& e : other_) bytes += e.Name.capacity() + e.Path.capacity();
    for (const auto& skin : kept_) {
        bytes += sizeof(*skin) + skin->Pixels.capacity() + skin->StoredPixels.capacity() +
                 skin->Name.capacity() + skin->Path.capacity();
    }
    return bytes;
}

}  // namespace varp
