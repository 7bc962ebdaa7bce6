// Skins menu commands. Each acts on the current skin; a command whose need is not met does
// nothing and says nothing.
#include "skins/SkinCommands.h"

#include <utility>

#include "app/BaseFolder.h"
#include "skins/FolderScan.h"
#include "skins/LooseSkins.h"
#include "skins/SkinFiles.h"

namespace varp {

namespace {

const char* const SaveFailed = "An error occured while attempting to save!";

bool IsLinked(const SkinImage& skin) {
    return (skin.Flags & Unlinked) == 0;
}

// The chosen path, after the dialog and the extension rule; false on cancel.
bool ChooseSkinFile(App& app, bool save, std::string* path) {
    app.Sys.ChangeDirectory(app.BaseFolder);
    std::string chosen;
    if (!app.Sys.FileDialog(SkinDialog(save), &chosen)) return false;
    *path = WithDefaultExtension(chosen, ".pcx");
    return true;
}

// Writes the current skin to `path`; on success the checkpoint follows the file.
bool WriteSkin(App& app, SkinImage& skin, const std::string& path) {
    if (!SaveSkinFile(app.Sys, skin, path)) {
        app.Sys.MessageBox(SaveFailed, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    skin.OnDisk = 1;
    skin.StoredPixels = skin.Pixels;
    return true;
}

void Swap(App& app, int a, int b, int newIndex) {
    std::swap(app.Skins[static_cast<size_t>(a)], app.Skins[static_cast<size_t>(b)]);
    app.SelectSkin(newIndex);
    app.RefreshAllViews();
}

}  // namespace

FileDialogRequest SkinDialog(bool save) {
    FileDialogRequest r;
    r.Save = save;
    r.Filter = std::string("Mesh Skin (*.pcx)|*.pcx|") + "All Files (*.*)|*.*|" + "|";
    r.InitialName = "*.pcx";
    r.Flags = HideReadOnly;
    return r;
}

void SkinNew(App& app) {
    auto skin = std::make_unique<SkinImage>();
    skin->Name = "newskin";
    skin->Flags = Unlinked;
    skin->OnDisk = 0;
    skin->Width = app.SkinWidth;
    skin->Height = app.SkinHeight;
    skin->Palette = app.CurrentSkin != nullptr ? app.CurrentSkin->Palette : GreyPalette();
    const int w = app.SkinWidth, h = app.SkinHeight;
    skin->Pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            skin->Pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                ((x / 4 + y / 4) % 2 == 1) ? 191 : 63;
        }
    }
    skin->StoredPixels = skin->Pixels;
    app.Skins.push_back(std::move(skin));
    app.SelectSkin(static_cast<int>(app.Skins.size()) - 1);
    app.RefreshAllViews();
}

void SkinOpen(App& app) {
    std::string path;
    if (ChooseSkinFile(app, false, &path)) OpenLooseSkin(app, path);
}

void SkinClose(App& app) {
    if (app.CurrentSkin == nullptr) return;
    const int index = app.CurrentSkinIndex;
    app.Skins.erase(app.Skins.begin() + index);
    const int count = static_cast<int>(app.Skins.size());
    app.SelectSkin(count == 0 ? -1 : (index == count ? count - 1 : index));
    app.RefreshAllViews();
}

void SkinSave(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr) return;
    if (skin->OnDisk == 0) {
        SkinSaveAs(app);
        return;
    }
    if (!SaveSkinFile(app.Sys, *skin, skin->Path)) {
        app.Sys.MessageBox(SaveFailed, Buttons::Ok, Icon::Exclamation);
        return;
    }
    skin->StoredPixels = skin->Pixels;
}

void SkinSaveAs(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr) return;
    std::string path;
    if (!ChooseSkinFile(app, true, &path)) return;
    if (IsLinked(*skin) && !IsUnderBaseFolder(path, app.BaseFolder)) {
        app.Sys.MessageBox("Linked skins must be in or below your Base Folder!", Buttons::Ok,
                           Icon::Exclamation);
        return;
    }
    if (!WriteSkin(app, *skin, path)) return;
    skin->Path = path;
    skin->Name = IsLinked(*skin) ? RelativeToBase(path, app.BaseFolder) : path;
    if (app.Views != nullptr) app.Views->RebuildSelectors();
}

void SkinLink(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || IsLinked(*skin)) return;
    std::string path;
    if (!ChooseSkinFile(app, true, &path)) return;
    if (!IsUnderBaseFolder(path, app.BaseFolder)) {
        app.Sys.MessageBox("Linked skins must be in or below your Base Folder!, Please try again.",
                           Buttons::Ok, Icon::Exclamation);
        return;
    }
    if (!WriteSkin(app, *skin, path)) return;
    skin->Path = path;
    skin->Name = RelativeToBase(path, app.BaseFolder);
    skin->Flags = 0;
    app.RefreshAllViews();
}

void SkinUnlink(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || !IsLinked(*skin)) return;
    skin->Flags = Unlinked;
    skin->Name = skin->Path;
    app.RefreshAllViews();
}

void SkinMoveUp(App& app) {
    const int i = app.CurrentSkinIndex;
    if (i < 1) return;
    Swap(app, i - 1, i, i - 1);
}

void SkinMoveDown(App& app) {
    const int i = app.CurrentSkinIndex;
    if (i == -1 || i == static_cast<int>(app.Skins.size()) - 1) return;
    Swap(app, i, i + 1, i + 1);
}

void SkinStore(App& app) {
    if (app.CurrentSkin != nullptr) app.CurrentSkin->StoredPixels = app.CurrentSkin->Pixels;
}

void SkinRevert(App& app) {
    if (app.CurrentSkin == nullptr) return;
    app.CurrentSkin->Pixels = app.CurrentSkin->StoredPixels;
    if (app.Views != nullptr) app.Views->PostRefresh(Refresh::Everything);
}

void SkinReload(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || skin->OnDisk == 0) return;
    std::unique_ptr<SkinImage> fresh = LoadSkinFile(app.Sys, skin->Path);
    // A file of other dimensions cannot stand in for the skin's texels: refused like an
    // unreadable one.
    if (!fresh || fresh->Width != skin->Width || fresh->Height != skin->Height) {
        app.Sys.MessageBox("Unable to reload the skin!", Buttons::Ok, Icon::Exclamation);
        return;
    }
    skin->Pixels = std::move(fresh->Pixels);
    skin->StoredPixels = std::move(fresh->StoredPixels);
    app.RefreshAllViews();
}

void SkinScanFolder(App& app) {
    std::string folder;
    if (!app.Sys.BrowseForFolder("Select the folder you wish to browse...", &folder) ||
        app.Sys.ChangeDirectory(folder) != 0) {
        app.Sys.MessageBox("That folder is not valid", Buttons::Ok, Icon::Exclamation);
        return;
    }
    ScanFolder(app, folder);
}

}  // namespace varp
