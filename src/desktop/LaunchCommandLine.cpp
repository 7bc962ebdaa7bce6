// Rebuilding the command line from the program's arguments.
#include "desktop/LaunchCommandLine.h"

#include "platform/Paths.h"

namespace varp::qt {

namespace {

std::string Quoted(const std::string& arg) {
    return arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
}

std::string Absolute(const std::string& path, const std::string& launchFolder) {
    if (path.empty() || path.front() == '/' || launchFolder.empty()) return path;
    std::string folder = launchFolder;
    if (folder.back() != '/') folder += '/';
    return folder + path;
}

}  // namespace

std::string BuildCommandLine(const std::vector<std::string>& args,
                             const std::string& launchFolder) {
    std::string line;
    bool afterMd2 = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (afterMd2) arg = ToSystemForm(Absolute(ToOsForm(arg), launchFolder));
        if (i > 0) line += ' ';
        line += Quoted(arg);
        if (i > 0 && args[i] == "-md2") afterMd2 = true;
    }
    return line;
}

}  // namespace varp::qt
