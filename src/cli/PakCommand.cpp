// varp-tool pak: what a pak file holds, and one of its files taken out, through the reader the
// editor uses.
#include <cstdio>
#include <cstring>

#include "app/FileBytes.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "gamedata/GameFolder.h"
#include "platform/ConsolePlatform.h"
#include "platform/Paths.h"

namespace varp::cli {

namespace {

const char* const Usage =
    "usage: varp-tool pak list PAK\n"
    "       varp-tool pak extract PAK NAME OUT\n";

// The pak named on the command line, or 1 after saying why it cannot be used.
int OpenPak(Platform& sys, const std::string& word, PakFile* pak) {
    const std::string problem = OpenPakFile(sys, ToSystemForm(word), pak);
    if (!problem.empty()) {
        std::fprintf(stderr, "varp-tool: %s: %s\n", word.c_str(), problem.c_str());
        return 1;
    }
    if (pak->Directory.Refused > 0) {
        std::fprintf(stderr,
                     "varp-tool: %s: %d names that lead outside the base folder are left out, "
                     "such as \"%s\"\n",
                     word.c_str(), pak->Directory.Refused, pak->Directory.FirstRefused.c_str());
    }
    return 0;
}

}  // namespace

int PakCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {}, {});
    const std::vector<std::string>& words = args.positional;
    const bool list = words.size() == 2 && words[0] == "list";
    const bool extract = words.size() == 4 && words[0] == "extract";
    if (!args.error.empty() || (!list && !extract)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    ConsolePlatform sys(Answer::No);
    PakFile pak;
    if (OpenPak(sys, words[1], &pak) != 0) return 1;
    if (list) {
        for (const PakEntry& e : pak.Directory.Entries) {
            std::printf("%10u  %s\n", e.Length, e.Name.c_str());
        }
        return 0;
    }
    const auto it = pak.Index.find(ToOsForm(words[2]));
    std::vector<uint8_t> bytes;
    if (it == pak.Index.end()) {
        std::fprintf(stderr, "varp-tool: %s holds no %s\n", words[1].c_str(), words[2].c_str());
        return 1;
    }
    if (!ReadPakEntry(sys, pak, pak.Directory.Entries[it->second], &bytes)) {
        std::fprintf(stderr, "varp-tool: cannot read %s from %s\n", words[2].c_str(),
                     words[1].c_str());
        return 1;
    }
    return WriteWholeFile(sys, ToSystemForm(words[3]), bytes) ? 0 : 1;
}

}  // namespace varp::cli
