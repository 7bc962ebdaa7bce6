// File-system services the system needs beyond opening files, on POSIX: paths resolved through
// symbolic links, a name's spelling on disk, folders made and files removed, the user's data
// folder. Paths go in and come out in the system's form (backslashes).
#pragma once

#include <string>
#include <vector>

namespace varp {

// The absolute path with every symbolic link and "." or ".." resolved, as far as the path
// exists; the part that does not exist yet is appended as it is. A relative path is taken from
// the current directory.
std::string ResolvePath(const std::string& path);

// Whether a file or folder exists at `path`, spelled exactly so.
bool FileExists(const std::string& path);

// The path of the file a case-insensitive search finds for `path`, spelled as on disk, letter
// for letter the same as `path` when the file exists as named; empty when there is none.
std::string NameOnDisk(const std::string& path);

// Makes a folder and every missing folder above it: 0 or -1.
int MakeFolders(const std::string& path);
// Removes a file: 0 or -1 (also when there was none).
int RemoveFile(const std::string& path);
// The names of a folder's entries that are files, sorted.
std::vector<std::string> ListFiles(const std::string& folder);

// The user's data folder by the XDG rules: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share. Empty when neither is known.
std::string UserDataFolder();

}  // namespace varp
