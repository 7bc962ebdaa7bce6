// Separator conversion between the system's paths and the operating system's.
#include "platform/Paths.h"

#include <algorithm>

namespace varp {

std::string ToSystemForm(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string ToOsForm(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string FolderOf(const std::string& path) {
    const std::string system = ToSystemForm(path);
    const size_t slash = system.rfind('\\');
    return slash == std::string::npos ? std::string() : system.substr(0, slash);
}

}  // namespace varp
