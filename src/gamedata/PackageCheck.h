// The package check: what the game needs of a model's folder, and what in it the game would
// refuse or miss.
#pragma once

#include <string>
#include <vector>

#include "app/App.h"

namespace varp {

// The engine's limits for a model file.
inline constexpr int EngineMaxSkins = 32;
inline constexpr int EngineMaxVertices = 2048;
inline constexpr int EngineMaxTriangles = 4096;
inline constexpr int EngineMaxFrames = 512;
inline constexpr int EngineMaxSkinHeight = 480;

struct PackageReport {
    std::string Folder;                 // under the base folder, with '/'
    bool Player = false;                // a folder of players/
    std::vector<std::string> Needs;     // what the game needs, each with where it was found
    std::vector<std::string> Problems;  // one sentence each
};

// Checks the folder of the model file `modelPath` as the game sees it, loose files over paks.
// A folder of players/ is a player model: it needs tris.md2, weapon.md2, weapon.pcx and a menu
// icon NAME_i.pcx for each skin NAME.pcx. Any other folder needs its model and the skins that
// model names. For every model checked: skin names with '\', names whose file is spelled with
// other letter case, skins missing, taller than 480 or of another size than the model's, and
// counts over the engine's limits. The skins the Workspace links are checked for names too
// long for a model file.
PackageReport CheckPackage(App& app, const std::string& modelPath);

// The report as the message that shows it.
std::string PackageText(const PackageReport& report);

}  // namespace varp
