// Argument splitting and the path conventions of the tool.
#include "cli/Args.h"

#include <filesystem>

#include "platform/Paths.h"

namespace varp::cli {

Args ParseArgs(int argc, char** argv, int first, const std::set<std::string>& valued,
               const std::set<std::string>& switches) {
    Args args;
    for (int i = first; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) == 0) {
            const std::string name = word.substr(2);
            if (valued.count(name)) {
                if (i + 1 >= argc) {
                    args.error = "option " + word + " needs a value";
                    return args;
                }
                args.options[name] = argv[++i];
            } else if (switches.count(name)) {
                args.flags.insert(name);
            } else {
                args.error = "unknown option " + word;
                return args;
            }
        } else {
            args.positional.push_back(word);
        }
    }
    return args;
}

std::string BaseFolderOf(const Args& args) {
    std::error_code ec;
    const std::string* base = args.Option("base");
    std::filesystem::path p =
        base ? std::filesystem::absolute(*base, ec) : std::filesystem::current_path(ec);
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return ToSystemForm(s);
}

std::string ModelPathOf(const std::string& word) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(word, ec)) {
        return ToSystemForm(std::filesystem::absolute(word, ec).lexically_normal().string());
    }
    return word;
}

}  // namespace varp::cli
