// Selector filling: frame names as they are, skins as "* " or "  " and the name with slashes.
#include "frame/Selectors.h"

#include <utility>

#include "frame/FrameGroups.h"
#include "platform/Paths.h"

namespace varp {

std::string ToBackslashes(const std::string& s) {
    return ToSystemForm(s);
}

std::string ToSlashes(const std::string& s) {
    return ToOsForm(s);
}

std::string FrameEntry(const FrameList& frames, size_t index) {
    const std::string& name = frames[index]->Name;
    const std::string_view group = FrameGroup(name);
    const auto inGroup = [&](size_t i) { return FrameGroup(frames[i]->Name) == group; };
    size_t first = index, end = index + 1;
    while (first > 0 && inGroup(first - 1)) --first;
    while (end < frames.size() && inGroup(end)) ++end;
    if (end - first < 2) return name;
    return name + "  (" + std::string(group) + " " + std::to_string(index - first + 1) + "/" +
           std::to_string(end - first) + ")";
}

void RebuildSelectors(Workspace& ws, FrameHost& frame) {
    frame.ResetSelector(FrameSelectorId);
    frame.ReserveSelector(FrameSelectorId, static_cast<int>(ws.Frames.size()), 16);
    frame.ResetSelector(SkinSelectorId);
    frame.ReserveSelector(SkinSelectorId, static_cast<int>(ws.Skins.size()), 64);
    LinkedFirst(ws);
    for (size_t i = 0; i < ws.Frames.size(); ++i) {
        frame.AddSelectorEntry(FrameSelectorId, FrameEntry(ws.Frames, i));
    }
    for (const auto& s : ws.Skins) {
        std::string text = (s->Flags & Unlinked) ? "* " : "  ";
        s->Name = ToBackslashes(s->Name);
        s->Path = ToBackslashes(s->Path);
        text += s->Name;
        if (IsModified(*s)) text += " (modified)";
        frame.AddSelectorEntry(SkinSelectorId, ToSlashes(text));
    }
    frame.SelectSelectorEntry(FrameSelectorId, ws.CurrentFrameIndex);
    frame.SelectSelectorEntry(SkinSelectorId, ws.CurrentSkinIndex == -1 ? 0 : ws.CurrentSkinIndex);
}

}  // namespace varp
