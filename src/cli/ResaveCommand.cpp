// varp-tool resave: read a model with the editor's reader and write it with its writer.
#include <cstdio>
#include <memory>

#include "app/App.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "commands/ModelFiles.h"
#include "platform/ConsolePlatform.h"
#include "platform/Paths.h"

namespace varp::cli {

int ResaveCommand(int argc, char** argv) {
    const Args args = ParseArgs(argc, argv, 2, {"base"}, {});
    if (!args.error.empty() || args.positional.size() != 2) {
        std::fprintf(stderr, "usage: varp-tool resave [--base DIR] MODEL.md2 OUT.md2\n");
        return 2;
    }
    ConsolePlatform sys(Answer::No);
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = BaseFolderOf(args);
    // The output is named from the shell's folder, before the reader moves to the base folder.
    Args outArgs;
    outArgs.options["base"] = args.positional[1];
    const std::string out = BaseFolderOf(outArgs);
    if (!LoadModel(*app, ModelPathOf(args.positional[0]))) return 1;
    return SaveModel(*app, out) ? 0 : 1;
}

}  // namespace varp::cli
