// The File menu: open, save, save under the base folder, choose the base folder, quit, About.
#pragma once

#include "app/App.h"

namespace varp {

// The dialog of File > Open and of start-up.
FileDialogRequest ModelOpenDialog();
// The dialog of File > Save As.
FileDialogRequest ModelSaveDialog();

void FileOpen(App& app);
void FileSave(App& app);
void FileSaveAs(App& app);
void FileBaseFolder(App& app);
// Before the program closes: true when nothing is unsaved, or the user saved it or let it go.
bool AskQuit(App& app);
// File > Save: the model to its file; false after a message when it cannot be written.
bool SaveModelFile(App& app);
// For a command that drops the whole Workspace (quit, open, another base folder): asks about
// the unsaved model and skins, if any, and saves them when the user says so. True to go on.
bool MayDropWork(App& app);
void ShowAbout(App& app);

}  // namespace varp
