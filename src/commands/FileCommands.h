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
// The quit question; true when the user agrees to close.
bool AskQuit(App& app);
void ShowAbout(App& app);

}  // namespace varp
