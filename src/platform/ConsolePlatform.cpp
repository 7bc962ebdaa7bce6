// Console platform: what a headless run of the system's code needs, and nothing interactive.
#include "platform/ConsolePlatform.h"

#include <cstdio>

#include "platform/PosixFile.h"

namespace varp {

Answer ConsolePlatform::MessageBox(const std::string& text, Buttons buttons, Icon) {
    messages_.push_back(text);
    Answer result = Answer::Ok;
    const char* said = "";
    if (buttons == Buttons::SaveDiscardCancel) {
        // Nothing is ever kept unsaved behind a script's back: the work stays, the command ends.
        result = Answer::Cancel;
        said = " [Cancel]";
    } else if (buttons != Buttons::Ok) {
        result = answer_ == Answer::Yes ? Answer::Yes : Answer::No;
        said = result == Answer::Yes ? " [Yes]" : " [No]";
    }
    std::fprintf(stderr, "varp: %s%s\n", text.c_str(), said);
    return result;
}

int ConsolePlatform::FileDialog(const FileDialogRequest&, std::string*) {
    return 0;
}

int ConsolePlatform::BrowseForFolder(const std::string&, std::string*) {
    return 0;
}

std::string ConsolePlatform::GetProfileString(const std::string& section, const std::string& key,
                                              const std::string& fallback) {
    auto it = settings_.find(section + "/" + key);
    return it == settings_.end() ? fallback : it->second;
}

void ConsolePlatform::WriteProfileString(const std::string& section, const std::string& key,
                                         const std::string& value) {
    settings_[section + "/" + key] = value;
}

int ConsolePlatform::ChangeDirectory(const std::string& path) {
    return PosixChangeDirectory(path);
}

std::vector<std::string> ConsolePlatform::ListPcxFiles() {
    return PosixListPcxFiles();
}

std::unique_ptr<File> ConsolePlatform::OpenFile(const std::string& path, FileMode mode,
                                                int* cause) {
    return OpenPosixFile(path, mode, cause);
}

}  // namespace varp
