// Process-wide services on Qt: dialogs, settings with the path rule, files, command line, quit.
#include "desktop/QtPlatform.h"

#include <QCoreApplication>
#include <QSettings>

#include "desktop/Dialogs.h"
#include "desktop/LaunchCommandLine.h"
#include "desktop/QtText.h"
#include "platform/PosixFile.h"

namespace varp::qt {

namespace {

// The company and application names under which the settings are kept.
constexpr const char* SettingsOrganisation = "Ombrick";
constexpr const char* SettingsApplication = "Zozuz05";

}  // namespace

QtPlatform::QtPlatform(std::vector<std::string> args, std::string launchFolder)
    : commandLine_(BuildCommandLine(args)), launchFolder_(ToSystemForm(launchFolder)) {}

QWidget* QtPlatform::DialogParent() const {
    return owner_ != nullptr && owner_->isVisible() ? owner_.data() : nullptr;
}

Answer QtPlatform::MessageBox(const std::string& text, Buttons buttons, Icon icon) {
    return ShowMessageBox(DialogParent(), text, buttons, icon);
}

int QtPlatform::FileDialog(const FileDialogRequest& request, std::string* chosen) {
    return RunFileDialog(DialogParent(), request, chosen);
}

int QtPlatform::ChooseItem(const std::string& title, const std::string& prompt,
                           const std::vector<std::string>& items, int initial) {
    return RunItemChooser(DialogParent(), title, prompt, items, initial);
}

int QtPlatform::BrowseForFolder(const std::string& title, std::string* chosen) {
    // The folder chooser has no owner window.
    return RunFolderChooser(nullptr, title, chosen);
}

std::string QtPlatform::GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& fallback) {
    QSettings settings(SettingsOrganisation, SettingsApplication);
    settings.beginGroup(ToQString(section));
    const QVariant value = settings.value(ToQString(key));
    if (!value.isValid()) return fallback;
    // A hand-written file may hold an unquoted comma, which Qt reads as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return ToSystemPath(value.toStringList().join(u','));
    }
    return ToSystemPath(value.toString());
}

void QtPlatform::WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) {
    // Written at once, as the system expects of its settings.
    QSettings settings(SettingsOrganisation, SettingsApplication);
    settings.beginGroup(ToQString(section));
    settings.setValue(ToQString(key), ToOsPath(value));
    settings.endGroup();
    settings.sync();
}

int QtPlatform::ChangeDirectory(const std::string& path) {
    return PosixChangeDirectory(path);
}

std::vector<std::string> QtPlatform::ListPcxFiles() {
    return PosixListPcxFiles();
}

void QtPlatform::Quit() {
    quitRequested_ = true;
    // exit() rather than quit(): quit() does nothing unless a loop is already running.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

int QtPlatform::ChooseFromList(const std::string& title, const std::vector<std::string>& items,
                               std::string* chosen) {
    return RunListChooser(DialogParent(), title, items, chosen);
}

void QtPlatform::ShowAboutBox() {
    RunAboutBox(DialogParent());
}

std::unique_ptr<File> QtPlatform::OpenFile(const std::string& path, FileMode mode, int* cause) {
    return OpenPosixFile(path, mode, cause);
}

}  // namespace varp::qt
