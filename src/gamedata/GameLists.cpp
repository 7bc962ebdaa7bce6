// Lists of the game folder's files: a folder's images in the paks, the models of the game.
#include <set>

#include "gamedata/GameFolder.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace varp {

namespace {

// Folders deeper than this below models/ or players/ are not searched: no game nests so deep,
// and a symbolic link that leads back up cannot keep the search going.
constexpr int MaxDepth = 8;

void AddLooseModels(const std::string& base, const std::string& name, int depth,
                    std::set<std::string>* names) {
    const std::string folder = base + "\\" + ToSystemForm(name);
    for (const std::string& file : ListFiles(folder)) {
        if (EndsWithIgnoringCase(file, ".md2")) names->insert(name + "/" + file);
    }
    if (depth >= MaxDepth) return;
    for (const std::string& sub : ListFolders(folder)) {
        AddLooseModels(base, name + "/" + sub, depth + 1, names);
    }
}

}  // namespace

std::vector<std::string> PakFilesIn(App& app, const std::string& folder, const char* extension) {
    std::vector<std::string> paths;
    const std::optional<std::string> name = GameName(app, folder);
    if (!name) return paths;
    const std::string prefix = *name + "/";
    for (const std::string& entry : GameOf(app).PakNames()) {
        if (!entry.starts_with(prefix) || entry.find('/', prefix.size()) != std::string::npos ||
            !EndsWithIgnoringCase(entry, extension)) {
            continue;
        }
        const std::string path = app.BaseFolder + "\\" + ToSystemForm(entry);
        if (!FileExists(path)) paths.push_back(path);
    }
    return paths;
}

std::vector<std::string> GameModelNames(App& app) {
    std::set<std::string> names;
    for (const char* top : {"models", "players"}) AddLooseModels(app.BaseFolder, top, 0, &names);
    for (const std::string& entry : GameOf(app).PakNames()) {
        if ((entry.starts_with("models/") || entry.starts_with("players/")) &&
            EndsWithIgnoringCase(entry, ".md2")) {
            names.insert(entry);
        }
    }
    return std::vector<std::string>(names.begin(), names.end());
}

}  // namespace varp
