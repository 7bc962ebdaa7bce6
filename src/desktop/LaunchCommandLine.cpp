// Rebuilding the command line from the program's arguments.
#include "desktop/LaunchCommandLine.h"

#include "platform/Paths.h"

namespace varp::qt {

namespace {

std::string Quoted(const std::string& arg) {
    return arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
}

}  // namespace

std::string BuildCommandLine(const std::vector<std::string>& args) {
    std::string line;
    bool afterMd2 = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string arg = afterMd2 ? ToSystemForm(args[i]) : args[i];
        if (i > 0) line += ' ';
        line += Quoted(arg);
        if (i > 0 && args[i] == "-md2") afterMd2 = true;
    }
    return line;
}

}  // namespace varp::qt
