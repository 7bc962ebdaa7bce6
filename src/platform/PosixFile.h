// The file class on POSIX, and the operating-system services every platform shares.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/File.h"
#include "platform/Platform.h"

namespace varp {

std::unique_ptr<File> OpenPosixFile(const std::string& path, FileMode mode, int* cause);

// chdir with the system's path spelling: 0 or -1.
int PosixChangeDirectory(const std::string& path);
// Entries of the current directory whose names end in ".pcx", any letter case, in the order
// the directory lists them.
std::vector<std::string> PosixListPcxFiles();

}  // namespace varp
