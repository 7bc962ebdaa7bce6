// The game folder: the base folder's paks read once, names looked up loose file first.
#include "gamedata/GameFolder.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>

#include "app/BaseFolder.h"
#include "app/FileBytes.h"
#include "formats/Pcx.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace varp {

namespace {

// Reads `size` bytes at `offset`; false when the file ends before.
bool ReadAt(File& file, int64_t offset, size_t size, std::vector<uint8_t>* bytes) {
    bytes->assign(size, 0);
    return file.Seek(offset) && (size == 0 || file.Read(bytes->data(), size) == size);
}

// The paks in the order the game reads them, later ones winning: pak0.pak to pak9.pak, then
// the other "*.pak" files by name.
std::vector<std::string> PakOrder(const std::string& baseFolder) {
    const std::vector<std::string> files = ListFiles(baseFolder);
    std::vector<std::string> order;
    for (int i = 0; i <= 9; ++i) {
        const std::string name = "pak" + std::to_string(i) + ".pak";
        if (std::binary_search(files.begin(), files.end(), name)) order.push_back(name);
    }
    for (const std::string& name : files) {
        if (name.size() > 4 && name.ends_with(".pak") &&
            std::find(order.begin(), order.end(), name) == order.end()) {
            order.push_back(name);
        }
    }
    return order;
}

}  // namespace

std::string OpenPakFile(Platform& sys, const std::string& path, PakFile* out) {
    int cause = CauseNone;
    std::unique_ptr<File> file = sys.OpenFile(path, FileMode::Read, &cause);
    if (!file) return "It cannot be opened (cause " + std::to_string(cause) + ").";
    const int64_t length = file->Length();
    std::vector<uint8_t> bytes;
    if (length < 0) return "It cannot be read.";
    const auto size = static_cast<uint64_t>(length);
    ReadAt(*file, 0, static_cast<size_t>(std::min<uint64_t>(size, pak::HeaderSize)), &bytes);
    PakFile pak;
    std::string problem = ReadPakHeader(ByteView(bytes), size, &pak.Directory);
    if (!problem.empty()) return problem;
    if (!ReadAt(*file, pak.Directory.DirectoryOffset,
                static_cast<size_t>(pak.Directory.DirectoryLength), &bytes)) {
        return "Its directory cannot be read.";
    }
    problem = ReadPakEntries(ByteView(bytes), size, &pak.Directory);
    if (!problem.empty()) return problem;
    for (size_t i = 0; i < pak.Directory.Entries.size(); ++i) {
        pak.Index.emplace(pak.Directory.Entries[i].Name, i);
    }
    pak.Path = file->FullPath();
    const size_t slash = pak.Path.rfind('\\');
    pak.FileName = slash == std::string::npos ? pak.Path : pak.Path.substr(slash + 1);
    *out = std::move(pak);
    return std::string();
}

int ReadPakEntry(Platform& sys, const PakFile& pak, const PakEntry& entry,
                 std::vector<uint8_t>* bytes) {
    int cause = CauseNone;
    std::unique_ptr<File> file = sys.OpenFile(pak.Path, FileMode::Read, &cause);
    if (!file || entry.Length > MaxFileBytes) return 0;
    // The pak may have changed since its directory was read: a short read is a failure.
    const int64_t length = file->Length();
    if (length < 0 || int64_t{entry.Offset} + entry.Length > length) return 0;
    return ReadAt(*file, entry.Offset, entry.Length, bytes) ? 1 : 0;
}

GameFolder::GameFolder(Platform& sys, std::string baseFolder) : base_(std::move(baseFolder)) {
    for (const std::string& name : PakOrder(base_)) {
        PakFile pak;
        const std::string problem = OpenPakFile(sys, base_ + "\\" + name, &pak);
        if (!problem.empty()) {
            sys.MessageBox("The pak file " + name + " is left out: " + problem, Buttons::Ok,
                           Icon::Exclamation);
            continue;
        }
        if (pak.Directory.Refused > 0) {
            sys.MessageBox("Entries of the pak file " + name +
                               " whose names lead outside the base folder are left out (" +
                               std::to_string(pak.Directory.Refused) + ", such as \"" +
                               pak.Directory.FirstRefused + "\"); the rest of the pak is used.",
                           Buttons::Ok, Icon::Exclamation);
        }
        paks_.push_back(std::move(pak));
    }
}

std::optional<GameFolder::Hit> GameFolder::FindInPaks(const std::string& name) const {
    const std::string key = ToOsForm(name);
    for (auto pak = paks_.rbegin(); pak != paks_.rend(); ++pak) {
        const auto it = pak->Index.find(key);
        if (it != pak->Index.end()) return Hit{&*pak, &pak->Directory.Entries[it->second]};
    }
    return std::nullopt;
}

std::string GameFolder::PakSpelling(const std::string& name) const {
    const std::string key = ToOsForm(name);
    for (auto pak = paks_.rbegin(); pak != paks_.rend(); ++pak) {
        for (const PakEntry& entry : pak->Directory.Entries) {
            if (SameLetters(entry.Name, key)) return entry.Name;
        }
    }
    return std::string();
}

std::vector<std::string> GameFolder::PakNames() const {
    std::set<std::string> names;
    for (const PakFile& pak : paks_) {
        for (const PakEntry& entry : pak.Directory.Entries) names.insert(entry.Name);
    }
    return std::vector<std::string>(names.begin(), names.end());
}

const std::array<uint8_t, 768>* GameFolder::Palette(App& app) {
    if (!paletteRead_) {
        paletteRead_ = true;
        std::vector<uint8_t> bytes;
        // The engine takes the palette from the end of the file, after the 12 that marks it.
        if (ReadGameFile(app, base_ + "\\pics\\colormap.pcx", &bytes, nullptr) &&
            bytes.size() >= PcxHeaderSize + 1 + PaletteSize &&
            bytes[bytes.size() - PaletteSize - 1] == 12) {
            palette_.emplace();
            std::copy(bytes.end() - PaletteSize, bytes.end(), palette_->begin());
        }
    }
    return palette_ ? &*palette_ : nullptr;
}

bool SameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool EndsWithIgnoringCase(const std::string& name, const std::string& end) {
    return name.size() >= end.size() && SameLetters(name.substr(name.size() - end.size()), end);
}

GameFolder& GameOf(App& app) {
    if (!app.Game || app.Game->BaseFolder() != app.BaseFolder) {
        app.Game = std::make_shared<GameFolder>(app.Sys, app.BaseFolder);
    }
    return *app.Game;
}

std::optional<std::string> GameName(const App& app, const std::string& path) {
    const std::string system = ToSystemForm(path);
    const bool absolute = system.starts_with('\\') || (system.size() >= 2 && system[1] == ':');
    std::optional<std::string> name =
        absolute ? NameUnderBase(system, app.BaseFolder) : std::optional<std::string>(system);
    if (!name || !IsConfinedName(*name)) return std::nullopt;
    return ToOsForm(*name);
}

int ReadGameFile(App& app, const std::string& path, std::vector<uint8_t>* bytes, GameFile* where) {
    std::string fullPath;
    if (ReadWholeFile(app.Sys, path, bytes, &fullPath)) {
        if (where != nullptr) *where = {fullPath, std::string()};
        return 1;
    }
    const std::optional<std::string> name = GameName(app, path);
    if (!name) return 0;
    GameFolder& game = GameOf(app);
    const std::optional<GameFolder::Hit> hit = game.FindInPaks(*name);
    if (!hit || !ReadPakEntry(app.Sys, *hit->Pak, *hit->Entry, bytes)) return 0;
    if (where != nullptr) {
        *where = {app.BaseFolder + "\\" + ToSystemForm(*name), hit->Pak->FileName};
    }
    return 1;
}

}  // namespace varp
