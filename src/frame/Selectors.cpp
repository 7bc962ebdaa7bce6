// Selector filling: frame names as they are, skins as "* " or "  " and the name with slashes.
#include "frame/Selectors.h"

#include <utility>

#include "platform/Paths.h"

namespace varp {

std::string ToBackslashes(const std::string& s) {
    return ToSystemForm(s);
}

std::string ToSlashes(const std::string& s) {
    return ToOsForm(s);
}

void RebuildSelectors(Workspace& ws, FrameHost& frame) {
    frame.ResetSelector(FrameSelectorId);
    frame.ReserveSelector(FrameSelectorId, static_cast<int>(ws.Frames.size()), 16);
    frame.ResetSelector(SkinSelectorId);
    frame.ReserveSelector(SkinSelectorId, static_cast<int>(ws.Skins.size()), 64);
    LinkedFirst(ws);
    for (const auto& f : ws.Frames) frame.AddSelectorEntry(FrameSelectorId, f->Name);
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
