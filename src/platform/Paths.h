// The two spellings of a path: the system's own (backslash) and the operating system's (slash).
#pragma once

#include <string>

namespace varp {

// Every '/' turned into '\': the form the system keeps and compares.
std::string ToSystemForm(const std::string& path);
// Every '\' turned into '/': the form handed to the operating system.
std::string ToOsForm(const std::string& path);

// The folder of a path, system form: up to its last separator; empty when it has none.
std::string FolderOf(const std::string& path);

}  // namespace varp
