// Saving skins: Skins > Save, Save As and Link, and the question asked before a command drops
// work that is not saved.
#pragma once

#include <string>
#include <vector>

#include "app/App.h"

namespace varp {

// The dialog shared by Open, Save As and Link (open form for Open, save form otherwise).
FileDialogRequest SkinDialog(bool save);

// The file chosen in the skin dialog, after the extension rule; false on cancel. A pattern the
// dialog hands back as it was shown ("*.pcx") is no name: that too is a cancel.
bool ChooseSkinFile(App& app, bool save, std::string* path);

// Skins > Save of a skin: to its file, or through Save As for a skin that has none. Returns
// whether the skin is saved now.
bool SaveSkin(App& app, SkinImage& skin);
// Skins > Save As of a skin: a new file, which a linked skin must keep under the base folder.
bool SaveSkinAs(App& app, SkinImage& skin);

void SkinSave(App& app);
void SkinSaveAs(App& app);
void SkinLink(App& app);

// The skins whose changes are not saved, in list order.
std::vector<SkinImage*> ModifiedSkins(const Workspace& ws);

// Before a command drops unsaved work: lists it (`lines`, one item each) and asks Save, Discard
// or Cancel. Nothing is asked when `lines` is empty.
Answer AskAboutUnsaved(App& app, const std::vector<std::string>& lines);
// How a skin is named in that question.
std::string UnsavedLine(const SkinImage& skin);

// For a command that drops the unsaved changes of `skins`: true to go on (nothing unsaved,
// Discard, or Save and every one saved), false to stop where it is.
bool MayDropSkins(App& app, const std::vector<SkinImage*>& skins);

}  // namespace varp
