// The folder scan used by Skins > Scan Folder and by a model that names no skins.
#include "skins/FolderScan.h"

#include "skins/LooseSkins.h"
#include "skins/SkinFiles.h"

namespace varp {

namespace {
const char* const NoMatch = "There were no matching skins found at that location";
}

void ScanFolder(App& app, const std::string& folder) {
    Platform& sys = app.Sys;
    int found = 0;
    sys.ChangeDirectory(folder);
    const std::vector<std::string> names = sys.ListPcxFiles();
    if (names.empty()) {
        sys.MessageBox(NoMatch, Buttons::Ok, Icon::Exclamation);
        return;
    }
    for (const std::string& name : names) {
        std::unique_ptr<SkinImage> skin = LoadSkinFile(sys, name);
        if (!skin) continue;
        if (!FitsModel(app, *skin)) continue;
        AppendLoose(app, std::move(skin));
        ++found;
    }
    app.RefreshAllViews();
    if (found == 0) sys.MessageBox(NoMatch, Buttons::Ok, Icon::Exclamation);
}

}  // namespace varp
