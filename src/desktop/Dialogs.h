// The real dialogs behind the platform's messages, file dialogs, folder chooser and About box.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/Platform.h"

class QWidget;

namespace varp::qt {

// "Text|pattern|Text|pattern||" turned into Qt's "Text (pattern);;Text (pattern)". Patterns
// separated by ';' become space-separated, and "*.*" (every file, with or without a dot)
// becomes "*". The texts are kept as they are; the dialog hides the appended patterns.
QString ToQtFilter(const std::string& filter);

Answer ShowMessageBox(QWidget* parent, const std::string& text, Buttons buttons, Icon icon);
// 1 with the chosen path (system form) in *chosen, or 0 when cancelled.
int RunFileDialog(QWidget* parent, const FileDialogRequest& request, std::string* chosen);
int RunFolderChooser(QWidget* parent, const std::string& title, std::string* chosen);
void RunAboutBox(QWidget* parent);
// The filterable list: 1 with the chosen item, 0 when cancelled or nothing is chosen.
int RunListChooser(QWidget* parent, const std::string& title, const std::vector<std::string>& items,
                   std::string* chosen);
// A list to choose one item from: its index, or -1 when cancelled.
int RunItemChooser(QWidget* parent, const std::string& title, const std::string& prompt,
                   const std::vector<std::string>& items, int initial);

}  // namespace varp::qt
