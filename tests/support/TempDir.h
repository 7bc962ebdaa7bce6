// A fresh folder under /tmp for one test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varp::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // OS form (slashes), no trailing slash.
    const std::string& Path() const { return path_; }
    // The same folder in the system's form (backslashes).
    std::string SystemPath() const;
    // Writes a file below the folder (creating folders as needed); returns its OS path.
    std::string Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;

  private:
    std::string path_;
};

std::vector<uint8_t> ReadFileBytes(const std::string& osPath);

}  // namespace varp::test
