// The file class the system reads and writes through, with the failure cause numbers it reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace varp {

// Failure causes, numbered as the messages show them ("Error Saving:13").
enum FileCause : int {
    CauseNone = 0,
    CauseGeneric = 1,
    CauseFileNotFound = 2,
    CauseBadPath = 3,
    CauseTooManyOpenFiles = 4,
    CauseAccessDenied = 5,
    CauseInvalidFile = 6,
    CauseRemoveCurrentDir = 7,
    CauseDirectoryFull = 8,
    CauseBadSeek = 9,
    CauseHardIO = 10,
    CauseSharingViolation = 11,
    CauseLockViolation = 12,
    CauseDiskFull = 13,
    CauseEndOfFile = 14,
};

// Maps an errno value to its cause number.
int CauseFromErrno(int err);

enum class FileMode { Read, Write };

// An open file. Reading is plain. Writing never harms what was on disk before: the bytes go to
// a temporary file beside the target, which replaces the target only when Commit succeeds.
class File {
  public:
    virtual ~File() = default;
    // Reads up to `size` bytes; returns the count read (0 at the end or on failure).
    virtual size_t Read(void* buffer, size_t size) = 0;
    // Writes all bytes; 0 on failure, with Cause() set.
    virtual int Write(const void* data, size_t size) = 0;
    virtual int Seek(int64_t offset) = 0;  // from the start; 0 on failure
    virtual int64_t Length() = 0;
    // Full path of the file, in the system's form (backslash separators).
    virtual const std::string& FullPath() const = 0;
    // Ends a write: makes the written bytes the file's content. 0 on failure, with Cause() set,
    // and then the file on disk is as it was before the open.
    virtual int Commit() = 0;
    virtual int Cause() const = 0;
};

}  // namespace varp
