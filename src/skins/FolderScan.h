// Adding every PCX image of a folder that fits the model as an unlinked skin.
#pragma once

#include <string>

#include "app/App.h"

namespace varp {

// Appends each "*.pcx" file of `folder` whose size is the model's skin size as an unlinked
// skin named by its full path, refreshes the views, and says so when nothing fitted. The
// current skin stays as it was.
void ScanFolder(App& app, const std::string& folder);

}  // namespace varp
