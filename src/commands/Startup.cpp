// Start-up of the application: base folder, settings, command line and the first model.
#include "commands/Startup.h"

#include "app/BaseFolder.h"
#include "app/CommandLine.h"
#include "commands/FileCommands.h"
#include "commands/ModelFiles.h"
#include "commands/Recovery.h"
#include "platform/FileSystem.h"
#include "skins/LooseSkins.h"

namespace varp {

namespace {

// Asks for a folder until one can be made the current directory; there is no other way out.
void SettleBaseFolder(App& app) {
    Platform& sys = app.Sys;
    app.BaseFolder = sys.GetProfileString(SettingsSection, BaseDirValue, Unknown);
    if (app.BaseFolder != Unknown && sys.ChangeDirectory(app.BaseFolder) == 0) return;
    for (;;) {
        std::string chosen;
        if (!sys.BrowseForFolder(BaseFolderTitle, &chosen)) {
            sys.MessageBox("You must specify a valid folder", Buttons::Ok, Icon::Exclamation);
        } else if (sys.ChangeDirectory(chosen) != 0) {
            sys.MessageBox("That folder is not valid,\nPlease choose another", Buttons::Ok,
                           Icon::Exclamation);
        } else {
            app.BaseFolder = chosen;
            return;
        }
    }
}

bool IsAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) ||
           (path.size() >= 2 && path[1] == ':');
}

// A path from the command line as a full path: a relative one names a file under the base
// folder when there is one there, else one in the folder the program was started from.
std::string CommandLinePath(App& app, const std::string& token) {
    if (IsAbsolute(token)) return token;
    const std::string underBase = app.BaseFolder + "\\" + token;
    const std::string launch = app.Sys.LaunchFolder();
    if (FileExists(underBase) || launch.empty()) return underBase;
    return launch + "\\" + token;
}

// The model and skins named after "-md2"; stops at the first error.
void ReadCommandLine(App& app) {
    Platform& sys = app.Sys;
    std::vector<std::string> tokens = SplitMd2Arguments(sys.CommandLine());
    if (tokens.empty()) return;
    for (std::string& token : tokens) token = CommandLinePath(app, token);
    LoadModel(app, tokens[0]);
    if (app.ModelLoaded == 0) {
        sys.MessageBox("There was an error loading from the command line!", Buttons::Ok,
                       Icon::Exclamation);
        return;
    }
    app.CurrentFile = tokens[0];
    sys.WriteProfileString(SettingsSection, CurFileValue, app.CurrentFile);
    for (size_t i = 1; i < tokens.size(); ++i) {
        const int added = OpenLooseSkin(app, tokens[i]);
        if (added == 0) {
            sys.MessageBox("Error loading skin from the command line!", Buttons::Ok,
                           Icon::Exclamation);
        }
        if (added != 1) return;
    }
}

}  // namespace

void StartUp(App& app) {
    Platform& sys = app.Sys;
    SettleBaseFolder(app);
    sys.WriteProfileString(SettingsSection, BaseDirValue, app.BaseFolder);

    app.ModelLoaded = 0;
    ReadCommandLine(app);

    if (app.ModelLoaded == 0) {
        app.CurrentFile = sys.GetProfileString(SettingsSection, CurFileValue, Unknown);
        if (app.CurrentFile != Unknown && LoadModel(app, app.CurrentFile)) {
            sys.WriteProfileString(SettingsSection, CurFileValue, app.CurrentFile);
        }
    }

    if (app.ModelLoaded == 0) {
        sys.ChangeDirectory(app.BaseFolder);
        std::string chosen;
        if (!sys.FileDialog(ModelOpenDialog(), &chosen) || IsPattern(chosen)) {
            sys.Quit();
        } else {
            const std::string path = WithDefaultExtension(chosen, ".md2");
            if (LoadModel(app, path)) {
                app.CurrentFile = path;
                sys.WriteProfileString(SettingsSection, CurFileValue, app.CurrentFile);
            } else {
                sys.Quit();
            }
        }
    }
    if (app.ModelLoaded != 0) OfferRecovery(app);
    app.RefreshAllViews();
}

}  // namespace varp
