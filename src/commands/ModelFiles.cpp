// Reading a model into the Workspace and writing it back. The file is parsed and its skins read
// before anything in the Workspace changes, so a refused file leaves the model in use as it was.
#include "commands/ModelFiles.h"

#include <algorithm>

#include "app/BaseFolder.h"
#include "app/FileBytes.h"
#include "formats/Md2Layout.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "skins/FolderScan.h"
#include "skins/SkinFiles.h"

namespace varp {

namespace {

// The skins a model names, each read under the base folder, or a stand-in when it cannot be
// read or has another size than the model's.
SkinList ReadNamedSkins(App& app, const Md2Model& model) {
    Platform& sys = app.Sys;
    SkinList skins;
    for (const std::string& name : model.SkinNames) {
        sys.ChangeDirectory(app.BaseFolder);
        std::unique_ptr<SkinImage> skin;
        std::string problem;
        if (!IsConfinedName(name)) {
            // A model from elsewhere must not make the program read, or later write, a file the
            // user never chose: the name is kept for the model, a stand-in takes the texels.
            sys.MessageBox("This model names a skin outside your base folder: " + name +
                               "\nA temporary skin stands in for it; save it with Skins > Save "
                               "As to put it where you choose.",
                           Buttons::Ok, Icon::Exclamation);
        } else if (!(skin = LoadSkinFile(sys, name, &problem))) {
            sys.MessageBox(problem.empty()
                               ? "External PCX does not exist....creating temporary skin."
                               : problem + "\nA temporary skin stands in for " + name + ".",
                           Buttons::Ok, Icon::Exclamation);
        } else if (skin->Width != model.SkinWidth || skin->Height != model.SkinHeight) {
            // The views address texels by the model's skin size: a skin of another size
            // is left on disk and a stand-in takes its place.
            sys.MessageBox("Error loading skin: Incorrect dimensions!", Buttons::Ok,
                           Icon::Exclamation);
            skin.reset();
        }
        if (!skin) {
            skin = MakeTemporarySkin(name, app.BaseFolder + "\\" + name, model.SkinWidth,
                                     model.SkinHeight);
        }
        skins.push_back(std::move(skin));
    }
    return skins;
}

// The folder of a model file, for the scan of a model without skins: up to its last backslash.
std::string FolderOf(const std::string& path) {
    const std::string systemPath = ToSystemForm(path);
    const size_t slash = systemPath.rfind('\\');
    return slash == std::string::npos ? std::string() : systemPath.substr(0, slash);
}

}  // namespace

int LoadModel(App& app, const std::string& path) {
    Platform& sys = app.Sys;
    sys.ChangeDirectory(app.BaseFolder);
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(sys, path, &bytes, nullptr)) {
        sys.MessageBox("There was an error loading the specified file!", Buttons::Ok,
                       Icon::Exclamation);
        return 0;
    }
    Md2Model model;
    const std::string problem = ParseMd2(std::move(bytes), &model);
    if (!problem.empty()) {
        sys.MessageBox(problem, Buttons::Ok, Icon::Exclamation);
        return 0;
    }

    if (model.CoordsMoved) {
        sys.MessageBox(
            "Some skin coordinates of this MD2 lay outside its skin and were moved to "
            "its edge.",
            Buttons::Ok, Icon::Exclamation);
    }
    bool scan = false;
    if (model.SkinNames.empty()) {
        scan = sys.MessageBox(
                   "This MD2 has no internal skins, would you like to load from it's base folder?",
                   Buttons::YesNo, Icon::Question) == Answer::Yes;
    }
    SkinList skins = ReadNamedSkins(app, model);
    CommitModel(app, std::move(model), std::move(skins));
    if (scan) {
        ScanFolder(app, FolderOf(path));
        if (!app.Skins.empty()) app.SelectSkin(0);
    }
    return 1;
}

void CommitModel(App& app, Md2Model&& model, SkinList&& skins) {
    std::copy(model.TexCoords.begin(), model.TexCoords.end(), app.TexCoords);
    std::copy(model.Triangles.begin(), model.Triangles.end(), app.Triangles);
    app.NumTexCoords = static_cast<int16_t>(model.TexCoords.size());
    app.NumTriangles = static_cast<int16_t>(model.Triangles.size());
    app.NumVertices = model.NumVertices;
    app.SkinWidth = model.SkinWidth;
    app.SkinHeight = model.SkinHeight;
    app.RebuildTexCoords();
    app.Frames = std::move(model.Frames);
    app.Skins = std::move(skins);
    app.SelectSkin(app.Skins.empty() ? -1 : 0);
    app.SelectFrame(0);
    app.ModelFileImage = std::move(model.FileImage);
    app.ModelLoaded = 1;
    // The steps changed the model that is gone; the one read is as its file holds it.
    app.Edits.Clear();
    app.ModelRevision = app.SavedModelRevision = app.NewRevision();
}

namespace {

// As many trailing parts of a path found on disk as `name` has, spelled with '/'.
std::string LastParts(const std::string& found, const std::string& name) {
    const auto parts = 1 + std::count(name.begin(), name.end(), '/');
    size_t start = found.size();
    for (auto i = 0; i < parts && start != std::string::npos && start > 0; ++i) {
        start = found.rfind('\\', start - 1);
    }
    return ToOsForm(start == std::string::npos ? found : found.substr(start + 1));
}

}  // namespace

std::vector<std::string> EngineWarnings(const App& app) {
    std::vector<std::string> warnings;
    for (const auto& skin : app.Skins) {
        if (skin->Flags & Unlinked) continue;
        const std::string name = ToOsForm(skin->Name);
        if (skin->Height > MaxEngineSkinHeight) {
            warnings.push_back(name + " is " + std::to_string(skin->Height) +
                               " texels tall; the original engine refuses skins taller than " +
                               std::to_string(MaxEngineSkinHeight) + ".");
        }
        // A file found only when letter case is ignored is one the game will not find.
        const std::string named = app.BaseFolder + "\\" + ToSystemForm(skin->Name);
        const std::string onDisk = FileExists(named) ? std::string() : NameOnDisk(named);
        if (!onDisk.empty()) {
            warnings.push_back(name + " is spelled " + LastParts(onDisk, name) +
                               " on disk; the game finds names only with the same letter case.");
        }
    }
    return warnings;
}

std::string ModelFileBytes(const App& app, std::vector<uint8_t>* bytes) {
    const ByteView image(app.ModelFileImage);
    const md2::Header h = md2::ReadHeader(image);
    const auto frames = image.Section(h.ofs_frames, static_cast<int64_t>(app.Frames.size()),
                                      static_cast<size_t>(std::max(h.framesize, 0)));
    if (image.Size() < md2::HeaderSize || !frames) return "There is no model to save.";
    Md2Parts parts;
    std::copy_n(image.Data(), 8, parts.identAndVersion);
    for (const auto& skin : app.Skins) {
        if (skin->Flags & Unlinked) continue;
        if (skin->Name.size() >= md2::SkinNameSize) {
            return "The skin name \"" + skin->Name +
                   "\" is too long for a model file (63 characters at most).";
        }
        // The engines look names up with '/', also inside paks, whatever spelling the
        // program keeps.
        parts.skinNames.push_back(ToOsForm(skin->Name));
    }
    parts.skinWidth = app.SkinWidth;
    parts.skinHeight = app.SkinHeight;
    parts.frameSize = h.framesize;
    parts.numVertices = app.NumVertices;
    parts.numFrames = static_cast<int32_t>(app.Frames.size());
    parts.coords = app.TexCoords;
    parts.numCoords = app.NumTexCoords;
    parts.triangles = app.Triangles;
    parts.numTriangles = app.NumTriangles;
    parts.frames = *frames;
    *bytes = LayOutMd2(parts);
    return std::string();
}

int SaveModel(App& app, const std::string& path) {
    std::vector<uint8_t> bytes;
    const std::string problem = ModelFileBytes(app, &bytes);
    if (!problem.empty()) {
        app.Sys.MessageBox(problem, Buttons::Ok, Icon::Exclamation);
        return 0;
    }
    return WriteWholeFile(app.Sys, path, bytes);
}

}  // namespace varp
