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

}  // namespace varp
