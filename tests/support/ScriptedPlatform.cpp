// Scripted platform: the test decides every answer and sees every message.
#include "support/ScriptedPlatform.h"

#include "platform/PosixFile.h"

namespace varp::test {

namespace {

// Wraps a real file opened for writing and records it once its content is in place.
class WrittenFile final : public File {
  public:
    WrittenFile(std::unique_ptr<File> inner, std::vector<std::string>* committed)
        : inner_(std::move(inner)), committed_(committed) {}
    size_t Read(void* buffer, size_t size) override { return inner_->Read(buffer, size); }
    int Write(const void* data, size_t size) override { return inner_->Write(data, size); }
    int Seek(int64_t offset) override { return inner_->Seek(offset); }
    int64_t Length() override { return inner_->Length(); }
    const std::string& FullPath() const override { return inner_->FullPath(); }
    int Commit() override {
        if (!inner_->Commit()) return 0;
        committed_->push_back(inner_->FullPath());
        return 1;
    }
    int Cause() const override { return inner_->Cause(); }

  private:
    std::unique_ptr<File> inner_;
    std::vector<std::string>* committed_;
};

}  // namespace

Answer ScriptedPlatform::MessageBox(const std::string& text, Buttons buttons, Icon) {
    messages.push_back(text);
    messageButtons.push_back(buttons);
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) return defaultAnswer;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

int ScriptedPlatform::FileDialog(const FileDialogRequest& request, std::string* chosen) {
    fileDialogs.push_back(request);
    if (fileDialogResults.empty()) return 0;
    std::optional<std::string> r = fileDialogResults.front();
    fileDialogResults.pop_front();
    if (!r) return 0;
    *chosen = *r;
    return 1;
}

int ScriptedPlatform::BrowseForFolder(const std::string& title, std::string* chosen) {
    folderTitles.push_back(title);
    if (folderResults.empty()) return 0;
    std::optional<std::string> r = folderResults.front();
    folderResults.pop_front();
    if (!r) return 0;
    *chosen = *r;
    return 1;
}

std::string ScriptedPlatform::GetProfileString(const std::string& section, const std::string& key,
                                               const std::string& fallback) {
    auto it = settings.find(section + "/" + key);
    return it == settings.end() ? fallback : it->second;
}

void ScriptedPlatform::WriteProfileString(const std::string& section, const std::string& key,
                                          const std::string& value) {
    settings[section + "/" + key] = value;
}

int ScriptedPlatform::ChangeDirectory(const std::string& path) {
    return PosixChangeDirectory(path);
}

std::vector<std::string> ScriptedPlatform::ListPcxFiles() {
    return PosixListPcxFiles();
}

std::unique_ptr<File> ScriptedPlatform::OpenFile(const std::string& path, FileMode mode,
                                                 int* cause) {
    std::unique_ptr<File> file = OpenPosixFile(path, mode, cause);
    if (file && mode == FileMode::Write) {
        return std::make_unique<WrittenFile>(std::move(file), &committed);
    }
    return file;
}

}  // namespace varp::test
