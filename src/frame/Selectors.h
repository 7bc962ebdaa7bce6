// The frame and skin selectors: their entry texts, and the canonical order of the skin list.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "platform/FrameHost.h"

namespace varp {

std::string ToBackslashes(const std::string& s);
std::string ToSlashes(const std::string& s);

// A frame's entry: its name, and when it belongs to a group of neighbours (FrameGroup) the
// group and its place in it: "stand07  (stand 7/40)".
std::string FrameEntry(const FrameList& frames, size_t index);

// Refills both selectors from the Workspace (respelling every skin's Name and Path with
// backslashes on the way) and selects the current frame and skin.
void RebuildSelectors(Workspace& ws, FrameHost& frame);

}  // namespace varp
