// The rules for paths under the game's base folder and for names chosen in dialogs.
#pragma once

#include <optional>
#include <string>

namespace varp {

// The name a model uses for a path in or below the base folder: the path without the folder and
// its backslash. The path is under the folder when it begins with the folder and a backslash,
// compared letter for letter, or failing that when it does once both are resolved (a folder
// reached through a symbolic link is the same folder). Nullopt when it is not under it.
std::optional<std::string> NameUnderBase(const std::string& path, const std::string& baseFolder);

inline bool IsUnderBaseFolder(const std::string& path, const std::string& baseFolder) {
    return NameUnderBase(path, baseFolder).has_value();
}

// Whether a name that comes from a file (a model's skin name, a pak's entry) stays inside the
// base folder as written: not absolute, no drive letter, no empty part (so no doubled
// separators and no network root), no control character, and no ".." that climbs above the
// folder. Such names are read only when this holds. Names the user chose are not asked.
bool IsConfinedName(const std::string& name);

// Whether a file the program is about to write for a name from a file lies inside the base
// folder once both are resolved: a symbolic link inside the folder that leads elsewhere counts
// as outside.
bool IsWritableUnderBase(const std::string& path, const std::string& baseFolder);

// Whether the last part of a path is a pattern ("*.pcx"), which a dialog may hand back as it
// showed it: a pattern is never a file's name.
bool IsPattern(const std::string& path);

// A chosen path without any "." gets the extension appended.
std::string WithDefaultExtension(const std::string& path, const char* extension);

}  // namespace varp
