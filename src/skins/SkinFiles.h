// Skin files: a PCX file read into a skin, a skin written as a PCX file, and the stand-in for a
// skin that cannot be read.
#pragma once

#include <memory>
#include <string>

#include "app/Workspace.h"
#include "platform/Platform.h"

namespace varp {

// Reads a PCX file (full path, or relative to the current directory) into a new linked skin
// named `name`. Null when the file cannot be opened or is not a usable image; shows nothing,
// but gives in *problem (when asked) why a file that could be read is no skin.
std::unique_ptr<SkinImage> LoadSkinFile(Platform& sys, const std::string& name,
                                        std::string* problem = nullptr);

// Writes the skin's pixels and palette to `path`. 1 on success; 0 after the message
// "Error Saving:" with the failure cause, and then the file on disk is as it was.
int SaveSkinFile(Platform& sys, const SkinImage& skin, const std::string& path);

// A skin that stands in for one that cannot be read: a grey checkerboard of 4 x 4 squares.
std::unique_ptr<SkinImage> MakeTemporarySkin(const std::string& name, const std::string& path,
                                             int width, int height);

}  // namespace varp
