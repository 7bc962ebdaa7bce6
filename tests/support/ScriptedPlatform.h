// A platform for tests: records every message, answers questions and dialogs from a script,
// keeps settings in memory, and uses the real file system.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace varp::test {

class ScriptedPlatform : public Platform {
  public:
    Answer MessageBox(const std::string& text, Buttons buttons, Icon icon) override;
    int FileDialog(const FileDialogRequest& request, std::string* chosen) override;
    int BrowseForFolder(const std::string& title, std::string* chosen) override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    int ChangeDirectory(const std::string& path) override;
    std::vector<std::string> ListPcxFiles() override;
    std::string CommandLine() override { return commandLine; }
    std::string LaunchFolder() override { return launchFolder; }
    void Quit() override { ++quitCount; }
    void ShowAboutBox() override {}
    std::unique_ptr<File> OpenFile(const std::string& path, FileMode mode, int* cause) override;

    // Script. Questions take answers from the front of `answers`; when it is empty they get
    // `defaultAnswer`. Dialogs take results from their queues; nullopt (or an empty queue)
    // is a cancel.
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::No;
    std::deque<std::optional<std::string>> fileDialogResults;
    std::deque<std::optional<std::string>> folderResults;
    std::string commandLine;
    std::string launchFolder;
    std::map<std::string, std::string> settings;  // "Section/Key" -> value

    // Record.
    std::vector<std::string> messages;
    std::vector<Buttons> messageButtons;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> folderTitles;
    std::vector<std::string> committed;  // full paths of the files written completely
    int quitCount = 0;
};

}  // namespace varp::test
