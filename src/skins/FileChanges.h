// Skin files changed on disk by another program while they are open here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/App.h"

namespace varp {

// The files of the open skins that a change on disk can reach: those read from or written to a
// loose file, each once, in the operating system's form.
std::vector<std::string> WatchedSkinFiles(const Workspace& ws);

// A file changed on disk. Each open skin of that file whose bytes differ from those it last
// read or wrote takes the file's texels and palette, as one undo step: at once when the skin has
// no unsaved changes, after a Yes when it has (a No keeps the skin, and the question is not
// asked again for the same bytes). A file that cannot be decoded, perhaps still being written,
// is left for its next change. `beforeActing` runs once, before the first question or change:
// nothing is done, and it does not run, when the bytes are those the program itself last wrote
// (its own save). Returns whether a skin changed.
bool ReloadChangedSkinFile(App& app, const std::string& path,
                           const std::function<void()>& beforeActing = {});

}  // namespace varp
