// The invariants of a loaded Workspace that the views, the commands and the writer rely on.
#pragma once

#include <string>

#include "app/App.h"

namespace varp::test {

// The first broken invariant, in words, or an empty string. During a mapping drag a corner may
// index the drag slot just past the valid coordinates.
std::string BrokenInvariant(const Workspace& ws, bool mappingDrag = false);

}  // namespace varp::test
