// The Skins menu: create, open, close, unlink, reorder, checkpoint, reload, scan (saving and
// linking are in SkinSaving.h). Each change to the list or to a skin is one undo step.
#pragma once

#include "app/App.h"
#include "skins/SkinSaving.h"

namespace varp {

void SkinNew(App& app);
void SkinOpen(App& app);
void SkinClose(App& app);
void SkinUnlink(App& app);
void SkinMoveUp(App& app);
void SkinMoveDown(App& app);
void SkinStore(App& app);
void SkinRevert(App& app);
void SkinReload(App& app);
// Skins > Scan Folder: a folder chooser, then the folder scan.
void SkinScanFolder(App& app);

}  // namespace varp
