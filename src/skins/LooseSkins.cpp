// Adding images from files to the skin list as unlinked skins.
#include "skins/LooseSkins.h"

#include "skins/SkinFiles.h"

namespace varp {

bool FitsModel(const Workspace& ws, const SkinImage& skin) {
    return skin.Width == ws.SkinWidth && skin.Height == ws.SkinHeight;
}

SkinImage& AppendLoose(Workspace& ws, std::unique_ptr<SkinImage> skin) {
    skin->Name = skin->Path;
    skin->Flags |= Unlinked;
    ws.Skins.push_back(std::move(skin));
    return *ws.Skins.back();
}

int OpenLooseSkin(App& app, const std::string& path) {
    std::string problem;
    std::unique_ptr<SkinImage> skin = LoadSkinFile(app.Sys, path, &problem);
    if (!skin) {
        if (!problem.empty()) app.Sys.MessageBox(problem, Buttons::Ok, Icon::Exclamation);
        return 0;
    }
    if (!FitsModel(app, *skin)) {
        app.Sys.MessageBox("Error loading skin: Incorrect dimensions!", Buttons::Ok,
                           Icon::Exclamation);
        return -1;
    }
    AppendLoose(app, std::move(skin));
    app.SelectSkin(static_cast<int>(app.Skins.size()) - 1);
    app.RefreshAllViews();
    return 1;
}

}  // namespace varp
