// Loose skins: images from files that the model does not list, added as unlinked skins.
#pragma once

#include <memory>
#include <string>

#include "app/App.h"

namespace varp {

// Whether a skin read from a file has the model's skin size.
bool FitsModel(const Workspace& ws, const SkinImage& skin);

// Appends a skin read from a file as an unlinked skin named by its full path.
SkinImage& AppendLoose(Workspace& ws, std::unique_ptr<SkinImage> skin);

// Reads a skin file and makes it the current skin, as an unlinked skin, then refreshes the
// views. 1 when added; 0 when the file cannot be read (nothing is shown); -1 when it has
// another size than the model's skins ("Error loading skin: Incorrect dimensions!" is shown).
int OpenLooseSkin(App& app, const std::string& path);

}  // namespace varp
