// File menu commands: they act on the model as a whole and write only the MD2 file.
#include "commands/FileCommands.h"

#include "app/BaseFolder.h"
#include "commands/ModelFiles.h"
#include "commands/Recovery.h"
#include "commands/Startup.h"
#include "platform/Paths.h"
#include "skins/SkinSaving.h"

namespace varp {

FileDialogRequest ModelOpenDialog() {
    FileDialogRequest r;
    r.Save = false;
    r.Filter = std::string("Quake2 Model (*.md2)|*.md2|") + "All Files (*.*)|*.*|" + "|";
    r.DefaultExt = "*.md2";
    r.Flags = HideReadOnly | PathMustExist;
    return r;
}

FileDialogRequest ModelSaveDialog() {
    FileDialogRequest r;
    r.Save = true;
    r.Filter = std::string("Quake2 MD2 (*.md2)|*.md2|") + "All Files (*.*)|*.*|" + "|";
    r.DefaultExt = "*.md2";
    r.Flags = HideReadOnly;
    return r;
}

void FileOpen(App& app) {
    Platform& sys = app.Sys;
    sys.ChangeDirectory(app.BaseFolder);
    std::string chosen;
    if (sys.FileDialog(ModelOpenDialog(), &chosen) && !IsPattern(chosen)) {
        const std::string path = WithDefaultExtension(chosen, ".md2");
        if (MayDropWork(app)) {
            int cause = CauseNone;
            if (!sys.OpenFile(path, FileMode::Read, &cause)) {
                sys.MessageBox("There was an error loading the specified file!", Buttons::Ok,
                               Icon::Exclamation);
            } else if (LoadModel(app, path)) {
                app.CurrentFile = path;
                sys.WriteProfileString(SettingsSection, CurFileValue, app.CurrentFile);
                OfferRecovery(app);
            }
        }
    }
    app.RefreshAllViews();
}

bool SaveModelFile(App& app) {
    if (!SaveModel(app, app.CurrentFile)) {
        app.Sys.MessageBox("An error occured while trying to save =[", Buttons::Ok,
                           Icon::Exclamation);
        return false;
    }
    app.SavedModelRevision = app.ModelRevision;
    const std::vector<std::string> warnings = EngineWarnings(app);
    if (!warnings.empty()) {
        std::string text = "The model is saved, but the game may not show some of its skins:\n";
        for (const std::string& w : warnings) text += "    " + w + "\n";
        app.Sys.MessageBox(text, Buttons::Ok, Icon::Exclamation);
    }
    return true;
}

void FileSave(App& app) {
    SaveModelFile(app);
}

bool MayDropWork(App& app) {
    std::vector<std::string> lines;
    if (app.ModelModified()) lines.push_back("the model " + ToOsForm(app.CurrentFile));
    const std::vector<SkinImage*> skins = ModifiedSkins(app);
    for (const SkinImage* skin : skins) lines.push_back(UnsavedLine(*skin));
    switch (AskAboutUnsaved(app, lines)) {
        case Answer::Discard:
            return true;
        case Answer::Save:
            if (app.ModelModified() && !SaveModelFile(app)) return false;
            for (SkinImage* skin : skins) {
                if (!SaveSkin(app, *skin)) return false;
            }
            return true;
        default:
            return false;
    }
}

void FileSaveAs(App& app) {
    Platform& sys = app.Sys;
    sys.ChangeDirectory(app.BaseFolder);
    std::string chosen;
    if (!sys.FileDialog(ModelSaveDialog(), &chosen) || IsPattern(chosen)) return;
    const std::string path = WithDefaultExtension(chosen, ".md2");
    if (!IsUnderBaseFolder(path, app.BaseFolder)) {
        sys.MessageBox("Error: You need to save it under your base folder...=]", Buttons::Ok,
                       Icon::Exclamation);
        return;
    }
    if (!SaveModel(app, path)) {
        sys.MessageBox("An error occured while attempting to save!", Buttons::Ok,
                       Icon::Exclamation);
    }
}

void FileBaseFolder(App& app) {
    Platform& sys = app.Sys;
    if (!MayDropWork(app)) return;
    std::string chosen;
    if (!sys.BrowseForFolder(BaseFolderTitle, &chosen) || sys.ChangeDirectory(chosen) != 0) {
        sys.MessageBox("That folder is not valid", Buttons::Ok, Icon::Exclamation);
        return;
    }
    // The folder in use stays until the next start; only the setting changes now.
    sys.WriteProfileString(SettingsSection, BaseDirValue, chosen);
    sys.MessageBox("You must restart Varp before the change will take effect.", Buttons::Ok,
                   Icon::Information);
}

bool AskQuit(App& app) {
    return MayDropWork(app);
}

void ShowAbout(App& app) {
    app.Sys.ShowAboutBox();
}

}  // namespace varp
