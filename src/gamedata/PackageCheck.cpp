// The package check, read as the game reads: loose files over paks, names with '/'.
#include "gamedata/PackageCheck.h"

#include <set>

#include "app/BaseFolder.h"
#include "formats/Md2Parse.h"
#include "formats/Pcx.h"
#include "gamedata/GameFolder.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace varp {

namespace {

class Checker {
  public:
    Checker(App& app, PackageReport& report) : app_(app), game_(GameOf(app)), r_(report) {}

    // Where the game finds a name: "loose file", "in pak0.pak", or empty when nowhere.
    std::string Where(const std::string& name) const {
        if (FileExists(PathOf(name))) return "loose file";
        if (const auto hit = game_.FindInPaks(name)) return "in " + hit->Pak->FileName;
        return std::string();
    }

    // A need: found where, or missing (a problem too).
    bool Need(const std::string& name, const std::string& label) {
        const std::string where = Where(name);
        r_.Needs.push_back(label + " - " + (where.empty() ? "missing" : where));
        if (where.empty() && !Misspelled(name)) r_.Problems.push_back(label + " is missing.");
        return !where.empty();
    }

    // The model file's counts and skins; its skin size in *width and *height.
    void Model(const std::string& name, bool listSkins, int* width, int* height) {
        std::vector<uint8_t> bytes;
        if (!ReadGameFile(app_, PathOf(name), &bytes, nullptr)) return;
        Md2Model model;
        const std::string problem = ParseMd2(std::move(bytes), &model);
        if (!problem.empty()) {
            r_.Problems.push_back(name + ": " + problem);
            return;
        }
        const md2::Header& h = model.Header;
        Limit(name, h.num_skins, EngineMaxSkins, "skins");
        Limit(name, h.num_xyz, EngineMaxVertices, "vertices");
        Limit(name, h.num_tris, EngineMaxTriangles, "triangles");
        Limit(name, h.num_frames, EngineMaxFrames, "frames");
        *width = model.SkinWidth;
        *height = model.SkinHeight;
        for (const std::string& skin : model.SkinNames) {
            if (skin.find('\\') != std::string::npos) {
                r_.Problems.push_back(name + " names the skin \"" + skin +
                                      "\" with '\\'; the game looks names up with '/'.");
            }
            if (listSkins) Need(ToOsForm(skin), "skin " + ToOsForm(skin));
            Skin(ToOsForm(skin), *width, *height);
        }
    }

    // A skin file: there, and of a size the game and the model take.
    void Skin(const std::string& name, int width, int height) {
        if (!seen_.insert(name).second) return;
        if (!IsConfinedName(name)) {
            r_.Problems.push_back("The skin " + name + " lies outside the base folder.");
            return;
        }
        std::vector<uint8_t> bytes;
        if (Where(name).empty()) {
            if (!Misspelled(name)) {
                r_.Problems.push_back("The skin " + name +
                                      " is in neither the base folder nor its paks.");
            }
            return;
        }
        std::string problem;
        std::unique_ptr<SkinImage> skin;
        if (ReadGameFile(app_, PathOf(name), &bytes, nullptr)) {
            skin = DecodePcx(ByteView(bytes), &problem);
        }
        if (!skin) {
            r_.Problems.push_back(name + ": " + (problem.empty() ? "it cannot be read." : problem));
            return;
        }
        const std::string size = std::to_string(skin->Width) + " x " + std::to_string(skin->Height);
        if (skin->Height > EngineMaxSkinHeight) {
            r_.Problems.push_back(name + " is " + std::to_string(skin->Height) +
                                  " texels tall; the original engine refuses skins taller than " +
                                  std::to_string(EngineMaxSkinHeight) + ".");
        }
        if (width > 0 && (skin->Width != width || skin->Height != height)) {
            r_.Problems.push_back(name + " is " + size + " texels; the model's skins are " +
                                  std::to_string(width) + " x " + std::to_string(height) + ".");
        }
    }

    // The names of the files directly in a folder, loose or in a pak.
    std::set<std::string> FilesIn(const std::string& folder) const {
        std::set<std::string> files;
        for (const std::string& f : ListFiles(PathOf(folder))) files.insert(f);
        for (const std::string& entry : game_.PakNames()) {
            if (entry.starts_with(folder + "/") &&
                entry.find('/', folder.size() + 1) == std::string::npos) {
                files.insert(entry.substr(folder.size() + 1));
            }
        }
        return files;
    }

  private:
    std::string PathOf(const std::string& name) const {
        return app_.BaseFolder + "\\" + ToSystemForm(name);
    }

    // A name whose file the game misses because its letters differ in case: said as a problem.
    bool Misspelled(const std::string& name) {
        std::string other;
        const std::string onDisk = NameOnDisk(PathOf(name));
        if (const auto loose = NameUnderBase(onDisk, app_.BaseFolder); !onDisk.empty() && loose) {
            other = ToOsForm(*loose);
        } else {
            other = game_.PakSpelling(name);
        }
        if (other.empty()) return false;
        r_.Problems.push_back(name + " is spelled " + other +
                              "; the game finds names only with the same letter case.");
        return true;
    }

    void Limit(const std::string& name, int count, int most, const char* what) {
        if (count <= most) return;
        r_.Problems.push_back(name + " has " + std::to_string(count) + " " + what +
                              "; the engine takes at most " + std::to_string(most) + ".");
    }

    App& app_;
    GameFolder& game_;
    PackageReport& r_;
    std::set<std::string> seen_;
};

std::string BaseName(const std::string& file) {
    return file.substr(0, file.size() - 4);
}

}  // namespace

PackageReport CheckPackage(App& app, const std::string& modelPath) {
    PackageReport r;
    const std::optional<std::string> model = GameName(app, modelPath);
    const size_t slash = model ? model->rfind('/') : std::string::npos;
    if (slash == std::string::npos) {
        r.Problems.push_back("The model does not lie in a folder under the base folder.");
        return r;
    }
    r.Folder = model->substr(0, slash);
    r.Player = r.Folder.starts_with("players/") && r.Folder.find('/', 8) == std::string::npos;
    Checker check(app, r);
    int width = 0, height = 0;
    if (r.Player) {
        const std::string& f = r.Folder;
        if (check.Need(f + "/tris.md2", "tris.md2"))
            check.Model(f + "/tris.md2", false, &width, &height);
        int weaponWidth = 0, weaponHeight = 0;
        if (check.Need(f + "/weapon.md2", "weapon.md2")) {
            check.Model(f + "/weapon.md2", false, &weaponWidth, &weaponHeight);
        }
        check.Need(f + "/weapon.pcx", "weapon.pcx");
        const std::set<std::string> files = check.FilesIn(f);
        int skins = 0, icons = 0;
        for (const std::string& file : files) {
            if (!EndsWithIgnoringCase(file, ".pcx") || EndsWithIgnoringCase(file, "_i.pcx") ||
                file == "weapon.pcx") {
                continue;
            }
            ++skins;
            const std::string icon = BaseName(file) + "_i.pcx";
            if (files.count(icon) != 0) {
                ++icons;
            } else {
                r.Problems.push_back(file + " has no menu icon " + icon +
                                     "; the game's player menu lists only skins that have one.");
            }
            check.Skin(f + "/" + file, width, height);
        }
        r.Needs.push_back("a menu icon NAME_i.pcx for each skin NAME.pcx - " +
                          std::to_string(icons) + " of " + std::to_string(skins) +
                          " skins have one");
    } else if (check.Need(*model, model->substr(slash + 1))) {
        check.Model(*model, true, &width, &height);
    }
    for (const auto& skin : app.Skins) {
        const std::string name = ToOsForm(skin->Name);
        if ((skin->Flags & Unlinked) == 0 && name.size() > 63) {
            r.Problems.push_back("The skin name " + name + " is " + std::to_string(name.size()) +
                                 " characters long; a model file holds at most 63.");
        }
    }
    return r;
}

std::string PackageText(const PackageReport& report) {
    std::string text = "Package " + report.Folder +
                       (report.Player ? " (a player model)" : " (a model)") + "\nNeeds:\n";
    for (const std::string& need : report.Needs) text += "    " + need + "\n";
    text += "Problems:\n";
    for (const std::string& problem : report.Problems) text += "    " + problem + "\n";
    if (report.Problems.empty()) text += "    none: the game has all it needs.\n";
    return text;
}

}  // namespace varp
