// The game folder as the engine sees it: the loose files of the base folder over the files of
// its paks, later paks over earlier ones. Paks are only ever read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/App.h"
#include "formats/Pak.h"

namespace varp {

// One pak of the base folder: where it is and what its directory holds.
struct PakFile {
    std::string Path;      // full path, system form
    std::string FileName;  // "pak0.pak"
    PakDirectory Directory;
    // Entry index by name; of two entries with one name the first, as the game searches.
    std::unordered_map<std::string, size_t> Index;
};

// Reads a pak's header and directory (not its files). The empty string, or why it cannot be used.
std::string OpenPakFile(Platform& sys, const std::string& path, PakFile* out);
// Reads one entry's bytes. 1 on success, 0 when the pak cannot be read there any more.
int ReadPakEntry(Platform& sys, const PakFile& pak, const PakEntry& entry,
                 std::vector<uint8_t>* bytes);

class GameFolder {
  public:
    // Reads the directory of each pak of the base folder: pak0.pak to pak9.pak, then the other
    // files ending in ".pak" in name order. A pak that cannot be used is left out, and one
    // with names that lead outside the folder loses those entries; either is said in a message.
    GameFolder(Platform& sys, std::string baseFolder);

    const std::string& BaseFolder() const { return base_; }
    const std::vector<PakFile>& Paks() const { return paks_; }

    struct Hit {
        const PakFile* Pak = nullptr;
        const PakEntry* Entry = nullptr;
    };
    // Where the paks hold a name ('/' or '\' between folders), spelled exactly so: the last
    // pak that has it.
    std::optional<Hit> FindInPaks(const std::string& name) const;
    // The spelling of a name in the paks when its letters match only ignoring case; empty when
    // no pak entry matches so.
    std::string PakSpelling(const std::string& name) const;
    // Every name the paks hold, each once, in name order.
    std::vector<std::string> PakNames() const;

    // The game palette, read on first use: the last 768 bytes of pics/colormap.pcx.
    const std::array<uint8_t, 768>* Palette(App& app);

  private:
    std::string base_;
    std::vector<PakFile> paks_;
    bool paletteRead_ = false;
    std::optional<std::array<uint8_t, 768>> palette_;
};

// The game folder of the application's base folder: read on first use, and again when the base
// folder has changed since.
GameFolder& GameOf(App& app);

// Where ReadGameFile found a file.
struct GameFile {
    std::string Path;  // full path of the loose file, or where a loose copy of a pak file goes
    std::string Pak;   // the pak's file name ("pak1.pak"); empty for a loose file
};

// The name a path has under the base folder ('/' between folders): a relative path is one
// already, a full one when it lies under the folder; nullopt otherwise or when the name would
// lead out of the folder.
std::optional<std::string> GameName(const App& app, const std::string& path);

// Reads a file as the game does: the loose file (a full path, or relative to the current
// directory, which callers make the base folder), else, for a name under the base folder, the
// copy of the last pak that holds it. 1 on success, 0 when neither can be read.
int ReadGameFile(App& app, const std::string& path, std::vector<uint8_t>* bytes, GameFile* where);

// The full paths (system form) of the files the paks hold directly in `folder` (a full path
// under the base folder, or relative to it) whose names end in `extension` in any letter case
// and that no loose file hides, in name order.
std::vector<std::string> PakFilesIn(App& app, const std::string& folder, const char* extension);

// Every model file (".md2") under models/ and players/, loose or in a pak, each once, in name
// order, spelled with '/'.
std::vector<std::string> GameModelNames(App& app);

// Whether two names have the same letters when case is ignored; whether a name ends so.
bool SameLetters(const std::string& a, const std::string& b);
bool EndsWithIgnoringCase(const std::string& name, const std::string& end);

// The game palette, or null when the game folder has no pics/colormap.pcx.
inline const std::array<uint8_t, 768>* GamePalette(App& app) {
    return GameOf(app).Palette(app);
}

}  // namespace varp
