// varp-tool make-sample: writes the demo base folder.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "sample/Sample.h"

namespace varp::cli {

int MakeSampleCommand(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: varp-tool make-sample DIR\n");
        return 2;
    }
    std::string error;
    if (!sample::WriteSampleBaseFolder(argv[2], &error)) {
        std::fprintf(stderr, "varp-tool: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace varp::cli
