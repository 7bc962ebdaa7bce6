// A change to the list of skins: which skins it holds and in what order, which one is current,
// and each skin's name, path, flags and OnDisk. A skin the change takes out of the list is kept
// by the step while the change is done, one it adds while the change is undone, so a closed
// skin comes back with its pixels, name, links and place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/History.h"
#include "app/Workspace.h"

namespace varp {

class SkinListChange {
  public:
    // The list as it is before the change.
    explicit SkinListChange(const Workspace& ws);

    // A skin the command takes out of the list: the step keeps it instead of letting it go.
    void Keep(std::unique_ptr<SkinImage> skin) { kept_.push_back(std::move(skin)); }

    // The step from the list captured to the present one; null when the list is as it was.
    // When the model's own skins (the linked ones, in order, by name) differ, the model gets a
    // new revision too.
    std::unique_ptr<EditStep> Finish(const char* label, Workspace& ws);

    // One skin of the list with the fields a list change may alter.
    struct Entry {
        SkinImage* Skin;
        std::string Name;
        std::string Path;
        uint32_t Flags;
        uint32_t OnDisk;
        bool operator==(const Entry&) const = default;
    };

  private:
    std::vector<Entry> entries_;
    int16_t current_;
    SkinList kept_;
};

class SkinListStep : public EditStep {
  public:
    explicit SkinListStep(const char* label) : EditStep(label) {}
    void Swap(Workspace& ws) override;
    size_t Bytes() const override;

  private:
    friend class SkinListChange;
    std::vector<SkinListChange::Entry> other_;
    int16_t otherCurrent_ = -1;
    SkinList kept_;  // the skins in the list on the other side only
    bool changesModel_ = false;
    uint64_t otherModelRevision_ = 0;
};

// The list's skins with their fields, in order.
std::vector<SkinListChange::Entry> ListEntries(const Workspace& ws);

}  // namespace varp
