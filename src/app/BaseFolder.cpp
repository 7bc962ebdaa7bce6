// Base-folder paths and dialog names.
#include "app/BaseFolder.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace varp {

namespace {

std::optional<std::string> AfterPrefix(const std::string& path, const std::string& folder) {
    const std::string prefix = folder.ends_with('\\') ? folder : folder + "\\";
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) {
        return std::nullopt;
    }
    return path.substr(prefix.size());
}

}  // namespace

std::optional<std::string> NameUnderBase(const std::string& path, const std::string& baseFolder) {
    // Letter for letter first: the name is then spelled as the user chose it.
    if (auto name = AfterPrefix(path, baseFolder)) return name;
    return AfterPrefix(ResolvePath(path), ResolvePath(baseFolder));
}

bool IsConfinedName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
    if (name.size() >= 2 && name[1] == ':') return false;
    int depth = 0;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find_first_of("/\\", start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part.empty()) return false;
        for (const char c : part) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
        }
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

bool IsWritableUnderBase(const std::string& path, const std::string& baseFolder) {
    return AfterPrefix(ResolvePath(path), ResolvePath(baseFolder)).has_value();
}

bool IsPattern(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.find_first_of("*?", start) != std::string::npos;
}

std::string WithDefaultExtension(const std::string& path, const char* extension) {
    return path.find('.') == std::string::npos ? path + extension : path;
}

}  // namespace varp
