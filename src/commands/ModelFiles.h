// The model as a file: read (parse, then ask, then commit into the Workspace in one step) and
// written back.
#pragma once

#include <string>
#include <vector>

#include "app/App.h"
#include "formats/Md2Parse.h"

namespace varp {

// Reads a model (full path, or relative to the base folder) with every skin it names, asks what
// a model without skins needs, and replaces the model in use. 1 on success; 0 after a message,
// and then the Workspace is exactly as it was.
int LoadModel(App& app, const std::string& path);

// Makes a parsed model and its skins the model in use, all at once: tables, frames, skins, the
// current frame and skin, the file image, ModelLoaded.
void CommitModel(App& app, Md2Model&& model, SkinList&& skins);

// The original engine refuses skins taller than this.
inline constexpr int MaxEngineSkinHeight = 480;

// What the game would make of the model's own skins as they are on disk: a skin taller than the
// original engine takes, a name whose letters differ in case from its file's. One sentence
// each; empty when all is well.
std::vector<std::string> EngineWarnings(const App& app);

// The model in use as the bytes of its file; the empty string, or why it cannot be written.
std::string ModelFileBytes(const App& app, std::vector<uint8_t>* bytes);

// Writes the model in use to `path`: its linked skins, coordinates, triangles and GL commands
// from the Workspace, identification, version and frames from the file it was read from.
// 1 on success; 0 after a message, and then the file on disk is as it was.
int SaveModel(App& app, const std::string& path);

}  // namespace varp
