// Reading MD2 files into the Workspace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/App.h"

namespace varp {

// Largest skin side a model may declare; real skins are far smaller, and the limit keeps a
// damaged header from asking for gigabytes of stand-in skin.
inline constexpr int MaxSkinSide = 4096;

// Checks a whole MD2 file held in memory against everything the Workspace and the renderers
// rely on. Returns the empty string for a usable file, else the one-sentence message that
// says what is wrong ("This is not an MD2!" when the identification is wrong).
std::string CheckMd2(const uint8_t* data, size_t size);

// Reads a model (full path, or relative to the base folder) into the Workspace, replacing the
// model in use, with every skin it names. 1 on success; 0 after a message, and then the
// Workspace is exactly as it was.
int LoadModel(App& app, const std::string& path);

}  // namespace varp
