// The frame and skin selectors: their entry texts, and the canonical order of the skin list.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "platform/FrameHost.h"

namespace varp {

std::string ToBackslashes(const std::string& s);
std::string ToSlashes(const std::string& s);

// Refills both selectors from the Workspace (respelling every skin's Name and Path with
// backslashes on the way) and selects the current frame and skin.
void RebuildSelectors(Workspace& ws, FrameHost& frame);

}  // namespace varp
