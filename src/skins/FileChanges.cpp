// Reloading a skin whose file another program changed.
#include "skins/FileChanges.h"

#include <algorithm>
#include <utility>

#include "edit/SkinStep.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "skins/SkinFiles.h"

namespace varp {

std::vector<std::string> WatchedSkinFiles(const Workspace& ws) {
    std::vector<std::string> files;
    for (const auto& skin : ws.Skins) {
        if (skin->OnDisk != 1) continue;
        const std::string file = ToOsForm(skin->Path);
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    }
    return files;
}

bool ReloadChangedSkinFile(App& app, const std::string& path,
                           const std::function<void()>& beforeActing) {
    const std::string changed = ResolvePath(path);
    bool reloaded = false, acting = false;
    for (const auto& entry : app.Skins) {
        SkinImage& skin = *entry;
        if (skin.OnDisk != 1 || ResolvePath(skin.Path) != changed) continue;
        std::unique_ptr<SkinImage> fresh = LoadSkinFile(app.Sys, skin.Path);
        if (!fresh || fresh->FileDigest == skin.FileDigest) continue;
        if (!std::exchange(acting, true) && beforeActing) beforeActing();
        if (fresh->Width != skin.Width || fresh->Height != skin.Height) {
            skin.FileDigest = fresh->FileDigest;
            app.Sys.MessageBox("The file of the skin " + ToOsForm(skin.Name) +
                                   " was changed by another program and now has another size; "
                                   "it is not reloaded.",
                               Buttons::Ok, Icon::Exclamation);
            continue;
        }
        if (IsModified(skin) &&
            app.Sys.MessageBox("The file of the skin " + ToOsForm(skin.Name) +
                                   " was changed by another program, and the skin has changes "
                                   "here that are not saved.\nReload it from the file and drop "
                                   "them?",
                               Buttons::YesNo, Icon::Question) != Answer::Yes) {
            skin.FileDigest = fresh->FileDigest;
            continue;
        }
        const SkinChange before(skin);
        skin.Pixels = std::move(fresh->Pixels);
        skin.StoredPixels = std::move(fresh->StoredPixels);
        skin.Palette = fresh->Palette;
        app.Edits.Push(before.Finish("Reload Skin", app));
        skin.SavedRevision = skin.Revision;
        skin.FileDigest = fresh->FileDigest;
        reloaded = true;
    }
    if (reloaded) app.RefreshAllViews();
    return reloaded;
}

}  // namespace varp
