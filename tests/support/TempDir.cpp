// Temporary folders and raw file access for tests.
#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Paths.h"

namespace varp::test {

TempDir::TempDir() {
    char templ[] = "/tmp/varp-test-XXXXXX";
    path_ = mkdtemp(templ);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::SystemPath() const {
    return ToSystemForm(path_);
}

std::string TempDir::Write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path p = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return p.string();
}

std::vector<uint8_t> ReadFileBytes(const std::string& osPath) {
    std::ifstream in(osPath, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

}  // namespace varp::test
