// Saving skins, and asking before unsaved work is dropped.
#include "skins/SkinSaving.h"

#include "app/BaseFolder.h"
#include "edit/SkinListStep.h"
#include "platform/Paths.h"
#include "skins/SkinFiles.h"

namespace varp {

namespace {

const char* const SaveFailed = "An error occured while attempting to save!";

bool IsLinked(const SkinImage& skin) {
    return (skin.Flags & Unlinked) == 0;
}

// Writes a skin to `path`; on success the checkpoint and the saved state follow the file.
bool WriteSkin(App& app, SkinImage& skin, const std::string& path) {
    if (!SaveSkinFile(app.Sys, skin, path)) {
        app.Sys.MessageBox(SaveFailed, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    skin.OnDisk = 1;
    skin.StoredPixels = skin.Pixels;
    skin.SavedRevision = skin.Revision;
    return true;
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

bool ChooseSkinFile(App& app, bool save, std::string* path) {
    app.Sys.ChangeDirectory(app.BaseFolder);
    std::string chosen;
    if (!app.Sys.FileDialog(SkinDialog(save), &chosen) || IsPattern(chosen)) return false;
    *path = WithDefaultExtension(chosen, ".pcx");
    return true;
}

bool SaveSkin(App& app, SkinImage& skin) {
    if (skin.OnDisk == 0) return SaveSkinAs(app, skin);
    // A linked skin's file is the one its name leads to under the base folder; when that file
    // lies elsewhere (a symbolic link leads out), the user chooses where it goes.
    if (IsLinked(skin) && !IsWritableUnderBase(skin.Path, app.BaseFolder)) {
        app.Sys.MessageBox("The file of the skin " + skin.Name +
                               " lies outside your base folder: choose where to save it.",
                           Buttons::Ok, Icon::Exclamation);
        return SaveSkinAs(app, skin);
    }
    if (!SaveSkinFile(app.Sys, skin, skin.Path)) {
        app.Sys.MessageBox(SaveFailed, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    skin.StoredPixels = skin.Pixels;
    skin.SavedRevision = skin.Revision;
    return true;
}

bool SaveSkinAs(App& app, SkinImage& skin) {
    std::string path;
    if (!ChooseSkinFile(app, true, &path)) return false;
    const std::optional<std::string> name = NameUnderBase(path, app.BaseFolder);
    if (IsLinked(skin) && !name) {
        app.Sys.MessageBox("Linked skins must be in or below your Base Folder!", Buttons::Ok,
                           Icon::Exclamation);
        return false;
    }
    // The new name is what the model will name, so it is a change of the list: undone, the
    // skin goes back to its old name (its new file stays on disk).
    SkinListChange change(app);
    if (!WriteSkin(app, skin, path)) return false;
    skin.Path = path;
    skin.Name = IsLinked(skin) ? *name : path;
    app.Edits.Push(change.Finish("Save Skin As", app));
    if (app.Views != nullptr) app.Views->RebuildSelectors();
    return true;
}

void SkinSave(App& app) {
    if (app.CurrentSkin != nullptr) SaveSkin(app, *app.CurrentSkin);
}

void SkinSaveAs(App& app) {
    if (app.CurrentSkin != nullptr) SaveSkinAs(app, *app.CurrentSkin);
}

void SkinLink(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || IsLinked(*skin)) return;
    std::string path;
    if (!ChooseSkinFile(app, true, &path)) return;
    const std::optional<std::string> name = NameUnderBase(path, app.BaseFolder);
    if (!name) {
        app.Sys.MessageBox("Linked skins must be in or below your Base Folder!, Please try again.",
                           Buttons::Ok, Icon::Exclamation);
        return;
    }
    SkinListChange change(app);
    if (!WriteSkin(app, *skin, path)) return;
    skin->Path = path;
    skin->Name = *name;
    skin->Flags = 0;
    app.Edits.Push(change.Finish("Link Skin", app));
    app.RefreshAllViews();
}

std::vector<SkinImage*> ModifiedSkins(const Workspace& ws) {
    std::vector<SkinImage*> skins;
    for (const auto& skin : ws.Skins) {
        if (IsModified(*skin)) skins.push_back(skin.get());
    }
    return skins;
}

std::string UnsavedLine(const SkinImage& skin) {
    return "the skin " + ToOsForm(skin.Name);
}

Answer AskAboutUnsaved(App& app, const std::vector<std::string>& lines) {
    if (lines.empty()) return Answer::Discard;
    std::string text = "These changes are not saved:\n";
    for (const std::string& line : lines) text += "    " + line + "\n";
    text += "Save them before going on?";
    return app.Sys.MessageBox(text, Buttons::SaveDiscardCancel, Icon::Question);
}

bool MayDropSkins(App& app, const std::vector<SkinImage*>& skins) {
    std::vector<std::string> lines;
    for (const SkinImage* skin : skins) {
        if (IsModified(*skin)) lines.push_back(UnsavedLine(*skin));
    }
    switch (AskAboutUnsaved(app, lines)) {
        case Answer::Discard:
            return true;
        case Answer::Save:
            for (SkinImage* skin : skins) {
                if (IsModified(*skin) && !SaveSkin(app, *skin)) return false;
            }
            return true;
        default:
            return false;
    }
}

}  // namespace varp
