// Crash recovery files: what they hold, how they are written, and how they come back.
//
// The folder holds "recovery.txt", the list of the skins (each with its name, path, flags and
// whether its texels are in the folder), "model.md2" when the model is unsaved, and
// "skinN.pcx" for each unsaved skin N of the list. The list is written last, so a folder whose
// list names a file always has that file complete.
#include "commands/Recovery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/BaseFolder.h"
#include "app/FileBytes.h"
#include "commands/ModelFiles.h"
#include "formats/Pcx.h"
#include "platform/FileSystem.h"
#include "skins/SkinFiles.h"

namespace varp {

namespace {

constexpr const char* ListName = "recovery.txt";
constexpr const char* ModelName = "model.md2";
constexpr const char* Header = "varp recovery 1";

// A field of the list: tabs, line ends and '%' written as %XX, so any name fits on its line.
std::string Escape(const std::string& s) {
    std::string out;
    for (const char c : s) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            out += static_cast<char>(std::strtoul(s.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The fields of a line, empty ones (at the end too) kept.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

uint32_t Number(const std::string& s) {
    return static_cast<uint32_t>(std::strtoul(s.c_str(), nullptr, 10));
}

std::string SkinFileName(size_t index) {
    return "skin" + std::to_string(index) + ".pcx";
}

// One skin of the list as the recovery folder describes it.
struct RecoveredSkin {
    std::string File;  // in the folder, or empty: the skin's own file has its texels
    uint32_t Flags = 0;
    uint32_t OnDisk = 0;
    std::string Name;
    std::string Path;
};

struct RecoveryList {
    std::string Model;
    bool HasModel = false;
    int Current = -1;
    std::vector<RecoveredSkin> Skins;
};

bool ReadList(App& app, const std::string& folder, RecoveryList* list) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(app.Sys, folder + "\\" + ListName, &bytes, nullptr)) return false;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    if (!std::getline(in, line) || line != Header) return false;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 2 && f[0] == "model") list->Model = f[1];
        if (f.size() == 2 && f[0] == "mapping") list->HasModel = f[1] == ModelName;
        if (f.size() == 2 && f[0] == "current") list->Current = std::atoi(f[1].c_str());
        if (f.size() == 6 && f[0] == "skin") {
            list->Skins.push_back({f[1], Number(f[2]), Number(f[3]), f[4], f[5]});
        }
    }
    return list->Model == app.CurrentFile;
}

// The skin a recovered entry stands for: its texels from the folder, or from its own file, or
// a stand-in; with the entry's name, path and flags.
std::unique_ptr<SkinImage> RestoreSkin(App& app, const std::string& folder,
                                       const RecoveredSkin& entry) {
    std::unique_ptr<SkinImage> skin;
    if (!entry.File.empty()) skin = LoadSkinFile(app.Sys, folder + "\\" + entry.File);
    const bool recovered = skin != nullptr;
    if (!skin && entry.OnDisk != 0) skin = LoadSkinFile(app.Sys, entry.Path);
    if (skin && (skin->Width != app.SkinWidth || skin->Height != app.SkinHeight)) skin.reset();
    if (!skin) skin = MakeTemporarySkin(entry.Name, entry.Path, app.SkinWidth, app.SkinHeight);
    skin->Name = entry.Name;
    skin->Path = entry.Path;
    skin->Flags = entry.Flags;
    skin->OnDisk = entry.OnDisk;
    skin->Revision = recovered ? app.NewRevision() : 0;
    skin->SavedRevision = 0;
    return skin;
}

}  // namespace

std::string RecoveryFolder(const App& app) {
    const std::string data = UserDataFolder();
    if (data.empty() || app.CurrentFile.empty()) return std::string();
    // One folder per model, named by a digest of its resolved path.
    uint64_t digest = 14695981039346656037u;
    for (const char c : ResolvePath(app.CurrentFile)) {
        digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(digest));
    const std::string folder = data + "\\Varp\\recovery\\" + name;
    // Nothing is ever written into the game's folders.
    if (IsUnderBaseFolder(folder, app.BaseFolder)) return std::string();
    return folder;
}

bool WriteRecovery(App& app) {
    const std::string folder = RecoveryFolder(app);
    if (folder.empty()) return false;
    if (!app.AnythingModified()) {
        RemoveRecovery(app);
        return false;
    }
    if (MakeFolders(folder) != 0) return false;
    std::string list = std::string(Header) + "\nmodel\t" + Escape(app.CurrentFile) + "\n";
    std::vector<std::string> written = {ListName};
    std::vector<uint8_t> model;
    if (app.ModelModified() && ModelFileBytes(app, &model).empty() &&
        WriteWholeFile(app.Sys, folder + "\\" + ModelName, model, true)) {
        list += std::string("mapping\t") + ModelName + "\n";
        written.push_back(ModelName);
    }
    for (size_t i = 0; i < app.Skins.size(); ++i) {
        const SkinImage& skin = *app.Skins[i];
        std::string file;
        if (IsModified(skin) && WriteWholeFile(app.Sys, folder + "\\" + SkinFileName(i),
                                               EncodePcx(skin.Pixels.data(), skin.Width,
                                                         skin.Height, skin.Palette.data()),
                                               true)) {
            file = SkinFileName(i);
            written.push_back(file);
        }
        list += "skin\t" + Escape(file) + "\t" + std::to_string(skin.Flags) + "\t" +
                std::to_string(skin.OnDisk) + "\t" + Escape(skin.Name) + "\t" + Escape(skin.Path) +
                "\n";
    }
    list += "current\t" + std::to_string(app.CurrentSkinIndex) + "\n";
    if (!WriteWholeFile(app.Sys, folder + "\\" + ListName,
                        std::vector<uint8_t>(list.begin(), list.end()), true)) {
        return false;
    }
    // Files of skins that are saved since the last write go.
    for (const std::string& name : ListFiles(folder)) {
        if (std::find(written.begin(), written.end(), name) == written.end()) {
            RemoveFile(folder + "\\" + name);
        }
    }
    return true;
}

void RemoveRecovery(App& app) {
    const std::string folder = RecoveryFolder(app);
    if (folder.empty()) return;
    // The list first: without it the rest is never read.
    RemoveFile(folder + "\\" + ListName);
    for (const std::string& name : ListFiles(folder)) RemoveFile(folder + "\\" + name);
}

bool OfferRecovery(App& app) {
    const std::string folder = RecoveryFolder(app);
    RecoveryList list;
    if (folder.empty() || !ReadList(app, folder, &list)) return false;
    std::string text = "Varp closed before this work on the model was saved:\n";
    if (list.HasModel) text += "    the model's mapping and skin list\n";
    for (const RecoveredSkin& s : list.Skins) {
        if (!s.File.empty()) text += "    the skin " + s.Name + "\n";
    }
    text += "Bring it back? (No throws it away.)";
    if (app.Sys.MessageBox(text, Buttons::YesNo, Icon::Question) != Answer::Yes) {
        RemoveRecovery(app);
        return false;
    }
    app.Sys.ChangeDirectory(app.BaseFolder);
    SkinList skins;
    for (const RecoveredSkin& entry : list.Skins) skins.push_back(RestoreSkin(app, folder, entry));
    std::vector<uint8_t> bytes;
    Md2Model model;
    if (list.HasModel && ReadWholeFile(app.Sys, folder + "\\" + ModelName, &bytes, nullptr) &&
        ParseMd2(std::move(bytes), &model).empty() && model.SkinWidth == app.SkinWidth &&
        model.SkinHeight == app.SkinHeight) {
        CommitModel(app, std::move(model), std::move(skins));
        app.ModelRevision = app.NewRevision();
    } else {
        app.Skins = std::move(skins);
        app.Edits.Clear();
    }
    app.SelectSkin(list.Current);
    return true;
}

}  // namespace varp
