// Skins menu commands. Each acts on the current skin; a command whose need is not met does
// nothing and says nothing.
#include "skins/SkinCommands.h"

#include <utility>

#include "edit/SkinListStep.h"
#include "edit/SkinStep.h"
#include "skins/FolderScan.h"
#include "skins/LooseSkins.h"
#include "skins/SkinFiles.h"
#include "skins/SkinSaving.h"

namespace varp {

namespace {

bool IsLinked(const SkinImage& skin) {
    return (skin.Flags & Unlinked) == 0;
}

void Swap(App& app, int a, int b, int newIndex) {
    SkinListChange change(app);
    std::swap(app.Skins[static_cast<size_t>(a)], app.Skins[static_cast<size_t>(b)]);
    app.SelectSkin(newIndex);
    // A move that would put an unlinked skin before a linked one is undone at once by the
    // list's order; it is no step then.
    LinkedFirst(app);
    app.Edits.Push(change.Finish(a + 1 == newIndex ? "Move Skin Down" : "Move Skin Up", app));
    app.RefreshAllViews();
}

// A change to the current skin's contents made by `change`, kept as one step named `label`.
template <typename Change>
void ChangeContents(App& app, const char* label, Change change) {
    SkinImage& skin = *app.CurrentSkin;
    const SkinChange before(skin);
    change(skin);
    app.Edits.Push(before.Finish(label, app));
}

}  // namespace

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
    SkinListChange change(app);
    app.Skins.push_back(std::move(skin));
    app.SelectSkin(static_cast<int>(app.Skins.size()) - 1);
    app.Edits.Push(change.Finish("New Skin", app));
    app.RefreshAllViews();
}

void SkinOpen(App& app) {
    std::string path;
    if (!ChooseSkinFile(app, false, &path)) return;
    SkinListChange change(app);
    if (OpenLooseSkin(app, path) == 1) app.Edits.Push(change.Finish("Open Skin", app));
}

void SkinClose(App& app) {
    if (app.CurrentSkin == nullptr || !MayDropSkins(app, {app.CurrentSkin})) return;
    const int index = app.CurrentSkinIndex;
    SkinListChange change(app);
    // The step keeps the skin, so that an undo brings it back whole.
    change.Keep(std::move(app.Skins[static_cast<size_t>(index)]));
    app.Skins.erase(app.Skins.begin() + index);
    const int count = static_cast<int>(app.Skins.size());
    app.SelectSkin(count == 0 ? -1 : (index == count ? count - 1 : index));
    app.Edits.Push(change.Finish("Close Skin", app));
    app.RefreshAllViews();
}

void SkinUnlink(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || !IsLinked(*skin)) return;
    SkinListChange change(app);
    skin->Flags = Unlinked;
    skin->Name = skin->Path;
    app.Edits.Push(change.Finish("Unlink Skin", app));
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
    if (app.CurrentSkin == nullptr) return;
    ChangeContents(app, "Store Skin", [](SkinImage& skin) { skin.StoredPixels = skin.Pixels; });
}

void SkinRevert(App& app) {
    if (app.CurrentSkin == nullptr || !MayDropSkins(app, {app.CurrentSkin})) return;
    ChangeContents(app, "Revert Skin", [](SkinImage& skin) { skin.Pixels = skin.StoredPixels; });
    if (app.Views != nullptr) app.Views->PostRefresh(Refresh::Everything);
}

void SkinReload(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || skin->OnDisk == 0) return;
    std::string problem;
    std::unique_ptr<SkinImage> fresh = LoadSkinFile(app.Sys, skin->Path, &problem);
    // A file of other dimensions cannot stand in for the skin's texels: refused like an
    // unreadable one.
    if (!fresh || fresh->Width != skin->Width || fresh->Height != skin->Height) {
        app.Sys.MessageBox(problem.empty() ? "Unable to reload the skin!" : problem, Buttons::Ok,
                           Icon::Exclamation);
        return;
    }
    if (!MayDropSkins(app, {skin})) return;
    ChangeContents(app, "Reload Skin", [&](SkinImage& s) {
        s.Pixels = std::move(fresh->Pixels);
        s.StoredPixels = std::move(fresh->StoredPixels);
    });
    // The texels are the file's again.
    skin->SavedRevision = skin->Revision;
    app.RefreshAllViews();
}

void SkinScanFolder(App& app) {
    std::string folder;
    if (!app.Sys.BrowseForFolder("Select the folder you wish to browse...", &folder) ||
        app.Sys.ChangeDirectory(folder) != 0) {
        app.Sys.MessageBox("That folder is not valid", Buttons::Ok, Icon::Exclamation);
        return;
    }
    SkinListChange change(app);
    ScanFolder(app, folder);
    app.Edits.Push(change.Finish("Scan Folder", app));
}

}  // namespace varp
