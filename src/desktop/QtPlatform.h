// The process-wide services on Qt: real dialogs, QSettings, POSIX files, the launch command line.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "desktop/QtImageCodec.h"
#include "platform/Platform.h"

namespace varp::qt {

class QtPlatform final : public Platform {
  public:
    // `args` are the program's arguments (program path first); `launchFolder` the current
    // directory at launch.
    QtPlatform(std::vector<std::string> args, std::string launchFolder);

    Answer MessageBox(const std::string& text, Buttons buttons, Icon icon) override;
    int FileDialog(const FileDialogRequest& request, std::string* chosen) override;
    int BrowseForFolder(const std::string& title, std::string* chosen) override;
    // Settings are QSettings("Ombrick", "Zozuz05"), one group per section. Every value the
    // system keeps there is a path: it is stored with '/' and read back with '\'.
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    int ChangeDirectory(const std::string& path) override;
    std::vector<std::string> ListPcxFiles() override;
    std::string CommandLine() override { return commandLine_; }
    std::string LaunchFolder() override { return launchFolder_; }
    // Queued, so that it also ends a run whose message loop has not started yet (see
    // QuitRequested).
    void Quit() override;
    void ShowAboutBox() override;
    int ChooseFromList(const std::string& title, const std::vector<std::string>& items,
                       std::string* chosen) override;
    std::unique_ptr<File> OpenFile(const std::string& path, FileMode mode, int* cause) override;
    int ChooseItem(const std::string& title, const std::string& prompt,
                   const std::vector<std::string>& items, int initial) override;
    ImageCodec* Images() override { return &images_; }

    // Whether Quit was asked: a start-up that asked it never shows the window or runs the
    // message loop.
    bool QuitRequested() const { return quitRequested_; }
    // The window dialogs belong to once it is on screen; before that they stand alone.
    void SetDialogOwner(QWidget* owner) { owner_ = owner; }

  private:
    QWidget* DialogParent() const;

    std::string commandLine_;
    std::string launchFolder_;
    QPointer<QWidget> owner_;
    bool quitRequested_ = false;
    QtImageCodec images_;
};

}  // namespace varp::qt
