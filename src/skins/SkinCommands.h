// The Skins menu: create, open, close, save, link, unlink, reorder, checkpoint, reload.
#pragma once

#include "app/App.h"

namespace varp {

// The dialog shared by Open, Save As and Link (open form for Open, save form otherwise).
FileDialogRequest SkinDialog(bool save);

void SkinNew(App& app);
void SkinOpen(App& app);
void SkinClose(App& app);
void SkinSave(App& app);
void SkinSaveAs(App& app);
void SkinLink(App& app);
void SkinUnlink(App& app);
void SkinMoveUp(App& app);
void SkinMoveDown(App& app);
void SkinStore(App& app);
void SkinRevert(App& app);
void SkinReload(App& app);
// Skins > Scan Folder: a folder chooser, then the folder scan.
void SkinScanFolder(App& app);

}  // namespace varp
