// The rules for paths under the game's base folder and for names chosen in dialogs.
#pragma once

#include <string>

namespace varp {

// Whether a path lies in or below the base folder: it begins with the folder and a backslash,
// compared letter for letter.
bool IsUnderBaseFolder(const std::string& path, const std::string& baseFolder);

// A path under the base folder without the folder and its backslash: the name a model uses.
std::string RelativeToBase(const std::string& path, const std::string& baseFolder);

// Whether the last part of a path is a pattern ("*.pcx"), which a dialog may hand back as it
// showed it: a pattern is never a file's name.
bool IsPattern(const std::string& path);

// A chosen path without any "." gets the extension appended.
std::string WithDefaultExtension(const std::string& path, const char* extension);

}  // namespace varp
