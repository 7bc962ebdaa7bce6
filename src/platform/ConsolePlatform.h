// The platform of the command-line tool: messages go to stderr, questions get a fixed answer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace varp {

class ConsolePlatform : public Platform {
  public:
    // `answer` is given to every Yes/No question (Yes/No/Cancel questions get it too).
    explicit ConsolePlatform(Answer answer = Answer::No) : answer_(answer) {}

    Answer MessageBox(const std::string& text, Buttons buttons, Icon icon) override;
    // There is nobody to choose: dialogs and the folder chooser are cancelled.
    int FileDialog(const FileDialogRequest& request, std::string* chosen) override;
    int BrowseForFolder(const std::string& title, std::string* chosen) override;
    // Settings live in memory for the run only; the tool never touches the user's.
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    int ChangeDirectory(const std::string& path) override;
    std::vector<std::string> ListPcxFiles() override;
    std::string CommandLine() override { return commandLine_; }
    std::string LaunchFolder() override { return launchFolder_; }
    void Quit() override { quit_ = true; }
    void ShowAboutBox() override {}
    std::unique_ptr<File> OpenFile(const std::string& path, FileMode mode, int* cause) override;

    ImageCodec* Images() override { return images_; }
    // The tool's picture codec (Qt's, which this library cannot link).
    void SetImages(ImageCodec* images) { images_ = images; }

    void SetCommandLine(const std::string& line, const std::string& launchFolder) {
        commandLine_ = line;
        launchFolder_ = launchFolder;
    }
    bool QuitRequested() const { return quit_; }
    // Every message text shown, in order.
    const std::vector<std::string>& Messages() const { return messages_; }

  private:
    Answer answer_;
    std::map<std::string, std::string> settings_;
    std::vector<std::string> messages_;
    std::string commandLine_;
    std::string launchFolder_;
    bool quit_ = false;
    ImageCodec* images_ = nullptr;
};

}  // namespace varp
