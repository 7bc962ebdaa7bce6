// Command-line arguments of the tool: "--name value" options, "--flag" switches, positionals.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace varp::cli {

struct Args {
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
    std::vector<std::string> positional;
    std::string error;  // non-empty when the words could not be understood

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    const std::string* Option(const std::string& name) const {
        auto it = options.find(name);
        return it == options.end() ? nullptr : &it->second;
    }
};

// Splits argv[first..] using the names that take a value and the names that are switches.
Args ParseArgs(int argc, char** argv, int first, const std::set<std::string>& valued,
               const std::set<std::string>& switches);

// The folder given with --base as the system spells it (absolute, backslashes), or the
// current directory.
std::string BaseFolderOf(const Args& args);

// A model path from the command line: made absolute when it names a file from the current
// directory, otherwise left for the reader to find under the base folder.
std::string ModelPathOf(const std::string& word);

}  // namespace varp::cli
