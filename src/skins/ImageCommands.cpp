// The picture commands: a choice of how, a file dialog, the codec, and one undo step.
#include "skins/ImageCommands.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/BaseFolder.h"
#include "edit/SkinListStep.h"
#include "edit/SkinStep.h"
#include "images/Pictures.h"
#include "images/SkinImport.h"
#include "images/UvTemplate.h"
#include "platform/Paths.h"
#include "skins/PictureFiles.h"

namespace varp {

namespace {

const char* const PictureFilter =
    "Pictures (*.png;*.tga;*.bmp;*.jpg;*.jpeg)|*.png;*.tga;*.bmp;*.jpg;*.jpeg|"
    "All Files (*.*)|*.*||";

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The folder part of a path, up to its last separator; empty when it has none.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The file name of a path without its extension.
std::string StemOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The dialogs start where the pictures of a skin are likely to be: beside its file, else in
// the base folder.
void EnterFolderOf(App& app, const std::string& path) {
    const std::string folder = FolderOf(path);
    if (folder.empty() || app.Sys.ChangeDirectory(folder) != 0)
        app.Sys.ChangeDirectory(app.BaseFolder);
}

bool ChooseFile(App& app, bool save, const std::string& filter, const std::string& initialName,
                const char* extension, std::string* path) {
    FileDialogRequest request;
    request.Save = save;
    request.Filter = filter;
    request.InitialName = initialName;
    request.Flags = HideReadOnly;
    std::string chosen;
    if (!app.Sys.FileDialog(request, &chosen) || IsPattern(chosen)) return false;
    *path = extension != nullptr ? WithDefaultExtension(chosen, extension) : chosen;
    return true;
}

void Complain(App& app, const std::string& text) {
    app.Sys.MessageBox(text, Buttons::Ok, Icon::Exclamation);
}

// A picture chosen and read at the model's skin size, and how its colours are brought into
// `palette`; false when the user cancels or the picture is refused (after the message).
bool ChoosePicture(App& app, const std::array<uint8_t, 768>& palette, RgbaPicture* picture,
                   ImportOptions* options, std::string* path) {
    const std::array<bool, 256> allowed = UnprotectedColours(app.ColourLocks);
    if (std::find(allowed.begin(), allowed.end(), true) == allowed.end()) {
        Complain(app, "Every colour of the palette is protected: a picture cannot be imported.");
        return false;
    }
    EnterFolderOf(app, app.CurrentSkin != nullptr && app.CurrentSkin->OnDisk != 0
                           ? app.CurrentSkin->Path
                           : std::string());
    if (!ChooseFile(app, false, PictureFilter, "*.png", nullptr, path)) return false;
    std::string problem;
    if (!ReadPicture(app.Sys, *path, picture, &problem)) {
        Complain(app, problem);
        return false;
    }
    const int width = app.SkinWidth, height = app.SkinHeight;
    if (picture->Width != width || picture->Height != height) {
        const std::string question = "The picture is " + Size(picture->Width, picture->Height) +
                                     " and the skin " + Size(width, height) +
                                     ".\nScale the picture to the skin's size (nearest neighbour)?";
        if (app.Sys.MessageBox(question, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
        *picture = ScaleNearest(*picture, width, height);
    }
    options->Transparent = app.BackgroundColour;
    options->Dither = false;
    // A picture in the palette's own colours comes in exactly; only the others need a choice.
    if (!FitsPalette(*picture, palette.data(), allowed)) {
        const int choice = app.Sys.ChooseItem(
            "Import Image", "The picture has colours the palette lacks. Bring them in as:",
            {"The nearest colours", "The nearest colours, dithered"}, 0);
        if (choice < 0) return false;
        options->Dither = choice == 1;
    }
    return true;
}

// The choice of kind and scale for a picture of a width x height skin: the scales whose
// picture stays within the largest side.
struct ScaledKind {
    PictureKind Kind;
    int Scale;
    bool OnSkin;
};

int ChooseScaled(App& app, const char* title, const std::string& prompt,
                 const std::vector<std::pair<std::string, ScaledKind>>& kinds, int width,
                 int height, ScaledKind* chosen) {
    std::vector<std::string> items;
    std::vector<ScaledKind> values;
    for (const auto& [label, kind] : kinds) {
        for (int scale = 1; scale <= 8; ++scale) {
            if (width * scale > MaxPictureSide || height * scale > MaxPictureSide) break;
            // The 8-bit PNG is offered at the skin's size only.
            if (kind.Kind == PictureKind::IndexedPng && scale > 1) break;
            items.push_back(label + ", " + std::to_string(scale) + "x (" +
                            Size(width * scale, height * scale) + ")");
            values.push_back({kind.Kind, scale, kind.OnSkin});
        }
    }
    const int choice = app.Sys.ChooseItem(title, prompt, items, 0);
    if (choice < 0 || choice >= static_cast<int>(values.size())) return 0;
    *chosen = values[static_cast<size_t>(choice)];
    return 1;
}

}  // namespace

void SkinImportImage(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || app.ModelLoaded == 0) return;
    RgbaPicture picture;
    ImportOptions options;
    std::string path;
    if (!ChoosePicture(app, skin->Palette, &picture, &options, &path)) return;
    if (skin->Width != picture.Width || skin->Height != picture.Height) return;
    const SkinChange before(*skin);
    skin->Pixels =
        ImportPicture(picture, skin->Palette.data(), app.ColourLocks, &skin->Pixels, options);
    app.Edits.Push(before.Finish("Import Image", app));
    app.RefreshAllViews();
}

void SkinImportImageAsNew(App& app) {
    if (app.ModelLoaded == 0) return;
    const std::array<uint8_t, 768> palette =
        app.CurrentSkin != nullptr ? app.CurrentSkin->Palette : GreyPalette();
    RgbaPicture picture;
    ImportOptions options;
    std::string path;
    if (!ChoosePicture(app, palette, &picture, &options, &path)) return;
    auto skin = std::make_unique<SkinImage>();
    // Named after the picture it came from, as loose skins are after their file.
    skin->Name = path;
    skin->Flags = Unlinked;
    skin->Width = app.SkinWidth;
    skin->Height = app.SkinHeight;
    skin->Palette = palette;
    skin->Pixels = ImportPicture(picture, palette.data(), app.ColourLocks, nullptr, options);
    skin->StoredPixels = skin->Pixels;
    // Its texels are in no file yet: unsaved from the start.
    skin->Revision = app.NewRevision();
    SkinListChange change(app);
    app.Skins.push_back(std::move(skin));
    app.SelectSkin(static_cast<int>(app.Skins.size()) - 1);
    app.Edits.Push(change.Finish("Import Image as Skin", app));
    app.RefreshAllViews();
}

void SkinExportImage(App& app) {
    const SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr) return;
    ScaledKind chosen{};
    if (!ChooseScaled(app, "Export Image", "Write the skin " + ToOsForm(skin->Name) + " as:",
                      {{"PNG in the skin's palette (8-bit)", {PictureKind::IndexedPng, 1, true}},
                       {"32-bit PNG", {PictureKind::Png, 1, true}},
                       {"32-bit TGA", {PictureKind::Tga, 1, true}}},
                      skin->Width, skin->Height, &chosen)) {
        return;
    }
    const char* extension = chosen.Kind == PictureKind::Tga ? ".tga" : ".png";
    const std::string from = skin->OnDisk != 0 ? skin->Path : skin->Name;
    EnterFolderOf(app, skin->OnDisk != 0 ? skin->Path : std::string());
    std::string path;
    const std::string filter = chosen.Kind == PictureKind::Tga
                                   ? "TGA Picture (*.tga)|*.tga|All Files (*.*)|*.*||"
                                   : "PNG Picture (*.png)|*.png|All Files (*.*)|*.*||";
    if (!ChooseFile(app, true, filter, StemOf(from) + extension, extension, &path)) return;
    std::string problem;
    if (!WriteSkinPicture(app.Sys, *skin, path, chosen.Kind, chosen.Scale, &problem))
        Complain(app, "Unable to write " + ToOsForm(path) + ": " + problem);
}

void MappingExportTemplate(App& app) {
    if (app.ModelLoaded == 0 || app.SkinWidth < 1 || app.SkinHeight < 1) return;
    std::vector<std::pair<std::string, ScaledKind>> kinds;
    if (app.CurrentSkin != nullptr) kinds.push_back({"On the skin", {PictureKind::Png, 1, true}});
    kinds.push_back({"On a black background", {PictureKind::Png, 1, false}});
    ScaledKind chosen{};
    if (!ChooseScaled(app, "Export UV Template", "Draw the outlines of the triangles:", kinds,
                      app.SkinWidth, app.SkinHeight, &chosen)) {
        return;
    }
    EnterFolderOf(app, app.CurrentFile);
    std::string path;
    if (!ChooseFile(app, true, "PNG Picture (*.png)|*.png|All Files (*.*)|*.*||",
                    StemOf(app.CurrentFile) + "_uv.png", ".png", &path)) {
        return;
    }
    const RgbaPicture picture =
        DrawUvTemplate(app, chosen.OnSkin ? app.CurrentSkin : nullptr, chosen.Scale);
    std::string problem;
    if (!WritePicture(app.Sys, path, picture, PictureKind::Png, &problem))
        Complain(app, "Unable to write " + ToOsForm(path) + ": " + problem);
}

}  // namespace varp
