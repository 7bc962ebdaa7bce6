// The whole command line the system reads, rebuilt from the program's arguments.
#pragma once

#include <string>
#include <vector>

namespace varp::qt {

// The program path, then the arguments, separated by single spaces; an argument that holds
// a space is wrapped in double quotes, so that the "-md2" reader splits it as one token. The
// paths after the first "-md2" argument are handed over in the system's form (backslash
// separators) and as they were typed: start-up looks a relative one up under the base folder
// first, then in the folder the program was started from.
std::string BuildCommandLine(const std::vector<std::string>& args);

}  // namespace varp::qt
