// Base-folder paths and dialog names.
#include "app/BaseFolder.h"

namespace varp {

bool IsUnderBaseFolder(const std::string& path, const std::string& baseFolder) {
    const std::string prefix = baseFolder + "\\";
    return path.compare(0, prefix.size(), prefix) == 0;
}

std::string RelativeToBase(const std::string& path, const std::string& baseFolder) {
    return path.substr(baseFolder.size() + 1);
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
