// Start-up: settle the base folder, then read a model from the command line, the last file
// used, or an open dialog; without a model the program ends.
#pragma once

#include "app/App.h"

namespace varp {

inline constexpr const char* BaseFolderTitle = "Please locate the 'baseq2' folder under Quake2";

// Runs once the main window's children exist. Leaves ModelLoaded 1, or asks the platform
// to quit.
void StartUp(App& app);

}  // namespace varp
