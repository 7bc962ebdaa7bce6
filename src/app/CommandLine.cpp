// Splitting the command line into the model and skin tokens.
#include "app/CommandLine.h"

namespace varp {

std::vector<std::string> SplitMd2Arguments(const std::string& commandLine) {
    std::vector<std::string> tokens;
    const size_t at = commandLine.find("-md2");
    if (at == std::string::npos) return tokens;
    const size_t start = at + 4 + 1;  // the separator after "-md2" is skipped, whatever it is
    std::string token;
    bool quoted = false;
    for (size_t i = start; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!token.empty()) tokens.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty()) tokens.push_back(token);
    return tokens;
}

}  // namespace varp
