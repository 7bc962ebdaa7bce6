// The dialogs, built but not yet shown, so that their set-up can be checked.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

class QDialog;
class QFileDialog;
class QMessageBox;
class QWidget;

namespace varp::qt {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text,
                                            Buttons buttons, Icon icon);
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request);
std::unique_ptr<QFileDialog> MakeFolderChooser(QWidget* parent, const std::string& title);
std::unique_ptr<QDialog> MakeAboutBox(QWidget* parent);
// A filter box ("Filter") over a list ("Items", each item's index in Qt::UserRole), OK, Cancel.
std::unique_ptr<QDialog> MakeListChooser(QWidget* parent, const std::string& title,
                                         const std::vector<std::string>& items);

}  // namespace varp::qt
