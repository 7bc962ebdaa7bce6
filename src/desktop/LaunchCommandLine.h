// The whole command line the system reads, rebuilt from the program's arguments.
#pragma once

#include <string>
#include <vector>

namespace varp::qt {

// The program path, then the arguments, separated by single spaces; an argument that holds
// a space is wrapped in double quotes, so that the "-md2" reader splits it as one token.
//
// The model and skin paths after the first "-md2" argument that are relative are made
// absolute against `launchFolder`: start-up makes the base folder the current directory
// before it reads them, and the model path is remembered in the settings for the next run,
// so a path must not depend on the folder the program was started from. Paths are handed
// over in the system's form (backslash separators).
std::string BuildCommandLine(const std::vector<std::string>& args, const std::string& launchFolder);

}  // namespace varp::qt
