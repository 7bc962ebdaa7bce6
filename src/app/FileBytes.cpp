// Whole-file reads and writes: the only places the model and skin files touch the file class.
#include "app/FileBytes.h"

namespace varp {

int ReadWholeFile(Platform& sys, const std::string& path, std::vector<uint8_t>* bytes,
                  std::string* fullPath) {
    int cause = CauseNone;
    std::unique_ptr<File> file = sys.OpenFile(path, FileMode::Read, &cause);
    if (!file) return 0;
    const int64_t length = file->Length();
    if (length < 0 || length > MaxFileBytes) return 0;
    bytes->assign(static_cast<size_t>(length), 0);
    if (file->Read(bytes->data(), bytes->size()) != bytes->size()) return 0;
    if (fullPath != nullptr) *fullPath = file->FullPath();
    return 1;
}

int WriteWholeFile(Platform& sys, const std::string& path, const std::vector<uint8_t>& bytes,
                   bool quiet) {
    int cause = CauseNone;
    std::unique_ptr<File> file = sys.OpenFile(path, FileMode::Write, &cause);
    if (file) {
        if (file->Write(bytes.data(), bytes.size()) && file->Commit()) return 1;
        cause = file->Cause();
    }
    if (cause == CauseNone) cause = CauseGeneric;
    if (!quiet)
        sys.MessageBox("Error Saving:" + std::to_string(cause), Buttons::Ok, Icon::Exclamation);
    return 0;
}

}  // namespace varp
