// POSIX file-system services.
#include "platform/FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/Paths.h"

namespace varp {

namespace {

bool SameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string Absolute(const std::string& osPath) {
    if (!osPath.empty() && osPath[0] == '/') return osPath;
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr) return osPath;
    return std::string(here) + "/" + osPath;
}

// The path split at slashes, empty parts left out.
std::vector<std::string> Components(const std::string& osPath) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= osPath.size()) {
        const size_t end = std::min(osPath.find('/', start), osPath.size());
        if (end > start) parts.push_back(osPath.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
    const std::string full = Absolute(ToOsForm(path));
    // The longest prefix that exists is resolved by the system; the rest is kept as written.
    std::string head = full, tail;
    for (;;) {
        char resolved[PATH_MAX];
        if (realpath(head.c_str(), resolved) != nullptr) {
            std::string out = resolved;
            if (!tail.empty()) out += (out == "/" ? "" : "/") + tail;
            return ToSystemForm(out);
        }
        const size_t slash = head.find_last_of('/');
        if (slash == std::string::npos || head.empty()) return ToSystemForm(full);
        tail = head.substr(slash + 1) + (tail.empty() ? "" : "/" + tail);
        head = slash == 0 ? "/" : head.substr(0, slash);
    }
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(ToOsForm(path).c_str(), &st) == 0;
}

std::string NameOnDisk(const std::string& path) {
    const std::string full = Absolute(ToOsForm(path));
    std::string found = "";
    for (const std::string& part : Components(full)) {
        const std::string folder = found.empty() ? "/" : found;
        std::string match;
        struct stat st;
        if (stat((found + "/" + part).c_str(), &st) == 0) {
            match = part;
        } else if (DIR* dir = opendir(folder.c_str())) {
            while (const dirent* entry = readdir(dir)) {
                if (SameLetters(entry->d_name, part)) {
                    match = entry->d_name;
                    break;
                }
            }
            closedir(dir);
        }
        if (match.empty()) return std::string();
        found += "/" + match;
    }
    return ToSystemForm(found);
}

int MakeFolders(const std::string& path) {
    const std::string full = Absolute(ToOsForm(path));
    std::string built;
    for (const std::string& part : Components(full)) {
        built += "/" + part;
        if (mkdir(built.c_str(), 0755) != 0 && errno != EEXIST) return -1;
    }
    struct stat st;
    return stat(built.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : -1;
}

int RemoveFile(const std::string& path) {
    return unlink(ToOsForm(path).c_str()) == 0 ? 0 : -1;
}

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    const std::string os = ToOsForm(folder);
    DIR* dir = opendir(os.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        struct stat st;
        if (stat((os + "/" + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            names.push_back(entry->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string UserDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return ToSystemForm(data);
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return ToSystemForm(std::string(home) + "/.local/share");
    return std::string();
}

}  // namespace varp
