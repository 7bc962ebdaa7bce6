// POSIX files: plain reads, and writes that replace the target only once complete.
#include "platform/PosixFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/Paths.h"

namespace varp {

int CauseFromErrno(int err) {
    switch (err) {
        case 0:
            return CauseNone;
        case ENOENT:
            return CauseFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return CauseBadPath;
        case EMFILE:
        case ENFILE:
            return CauseTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return CauseAccessDenied;
        case EBADF:
            return CauseInvalidFile;
        case ESPIPE:
            return CauseBadSeek;
        case EIO:
            return CauseHardIO;
        case EBUSY:
        case ETXTBSY:
            return CauseSharingViolation;
        case EDEADLK:
        case ENOLCK:
            return CauseLockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return CauseDiskFull;
        default:
            return CauseGeneric;
    }
}

namespace {

std::string DirectoryOf(const std::string& osPath) {
    const size_t slash = osPath.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return osPath.substr(0, slash);
}

std::string BaseNameOf(const std::string& osPath) {
    const size_t slash = osPath.rfind('/');
    return slash == std::string::npos ? osPath : osPath.substr(slash + 1);
}

std::string Resolve(const std::string& osPath) {
    char buf[PATH_MAX];
    if (realpath(osPath.c_str(), buf) != nullptr) return buf;
    // Not there yet: resolve the folder and keep the name.
    if (realpath(DirectoryOf(osPath).c_str(), buf) != nullptr) {
        std::string dir = buf;
        return (dir == "/" ? dir : dir + "/") + BaseNameOf(osPath);
    }
    return osPath;
}

// ENOENT on a path whose folder is missing is a bad path, not a missing file.
int OpenCause(int err, const std::string& osPath) {
    if (err == ENOENT) {
        struct stat st;
        if (stat(DirectoryOf(osPath).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return CauseBadPath;
        }
    }
    return CauseFromErrno(err);
}

class PosixFile final : public File {
  public:
    ~PosixFile() override {
        if (fd_ >= 0) close(fd_);
        if (mode_ == FileMode::Write && !committed_) Discard();
    }

    int OpenRead(const std::string& osPath) {
        fd_ = open(osPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return OpenCause(errno, osPath);
        struct stat st;
        if (fstat(fd_, &st) != 0) return CauseFromErrno(errno);
        if (S_ISDIR(st.st_mode)) return CauseAccessDenied;
        mode_ = FileMode::Read;
        fullPath_ = ToSystemForm(Resolve(osPath));
        return CauseNone;
    }

    int OpenWrite(const std::string& osPath) {
        mode_ = FileMode::Write;
        target_ = Resolve(osPath);
        // An existing target must itself be writable (a folder is refused by the open), proved
        // without truncating it. A new one is not created here: a reader must never see it empty,
        // so it first appears when the finished temporary file is renamed over it.
        struct stat before;
        const bool existed = stat(target_.c_str(), &before) == 0;
        if (existed) {
            const int probe = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
            if (probe < 0) return OpenCause(errno, target_);
            close(probe);
        }
        mode_t mask = umask(0);
        umask(mask);
        fileMode_ = existed ? (before.st_mode & 07777) : (0666 & ~mask);
        // Then write to a temporary file beside it.
        temp_ = DirectoryOf(target_) + "/." + BaseNameOf(target_) + ".XXXXXX";
        fd_ = mkstemp(temp_.data());
        if (fd_ < 0) {
            const int err = errno;
            temp_.clear();
            return OpenCause(err, target_);
        }
        fullPath_ = ToSystemForm(target_);
        return CauseNone;
    }

    size_t Read(void* buffer, size_t size) override {
        size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < size) {
            const ssize_t n = read(fd_, out + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n < 0) cause_ = CauseFromErrno(errno);
                break;
            }
            done += static_cast<size_t>(n);
        }
        return done;
    }

    int Write(const void* data, size_t size) override {
        if (failed_) return 0;
        size_t done = 0;
        const auto* in = static_cast<const char*>(data);
        while (done < size) {
            const ssize_t n = write(fd_, in + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                cause_ = n < 0 ? CauseFromErrno(errno) : CauseDiskFull;
                failed_ = true;
                return 0;
            }
            done += static_cast<size_t>(n);
        }
        return 1;
    }

    int Seek(int64_t offset) override {
        if (lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
            cause_ = CauseBadSeek;
            return 0;
        }
        return 1;
    }

    int64_t Length() override {
        struct stat st;
        if (fstat(fd_, &st) != 0) return 0;
        return static_cast<int64_t>(st.st_size);
    }

    const std::string& FullPath() const override { return fullPath_; }

    int Commit() override {
        if (mode_ != FileMode::Write) return 1;
        if (!failed_ && fchmod(fd_, fileMode_) != 0) Fail(errno);
        if (!failed_ && fsync(fd_) != 0) Fail(errno);
        if (close(fd_) != 0 && !failed_) Fail(errno);
        fd_ = -1;
        if (!failed_ && rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno);
        if (failed_) {
            Discard();
            return 0;
        }
        committed_ = true;
        return 1;
    }

    int Cause() const override { return cause_; }

  private:
    void Fail(int err) {
        failed_ = true;
        cause_ = CauseFromErrno(err);
    }

    void Discard() {
        if (!temp_.empty()) unlink(temp_.c_str());
        temp_.clear();
    }

    int fd_ = -1;
    FileMode mode_ = FileMode::Read;
    std::string fullPath_;
    std::string target_;
    std::string temp_;
    bool failed_ = false;
    bool committed_ = false;
    mode_t fileMode_ = 0644;
    int cause_ = CauseNone;
};

}  // namespace

std::unique_ptr<File> OpenPosixFile(const std::string& path, FileMode mode, int* cause) {
    auto file = std::make_unique<PosixFile>();
    const std::string osPath = ToOsForm(path);
    const int c = mode == FileMode::Read ? file->OpenRead(osPath) : file->OpenWrite(osPath);
    if (cause != nullptr) *cause = c;
    if (c != CauseNone) return nullptr;
    return file;
}

int PosixChangeDirectory(const std::string& path) {
    if (path.empty()) return -1;
    return chdir(ToOsForm(path).c_str()) == 0 ? 0 : -1;
}

std::vector<std::string> PosixListPcxFiles() {
    std::vector<std::string> names;
    DIR* dir = opendir(".");
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 4) continue;
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".pcx") names.push_back(name);
    }
    closedir(dir);
    // Directory order is arbitrary on Linux; alphabetical order (letter case aside) makes
    // scans repeatable and reads as a user expects.
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const std::string la = lower(a), lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

}  // namespace varp
