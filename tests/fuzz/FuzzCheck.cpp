// Workspace invariants for the fuzz targets, and their scratch folder.
#include "fuzz/FuzzCheck.h"

#include <stdlib.h>

#include "support/WorkspaceInvariants.h"

namespace varp::fuzz {

std::string RunFolder() {
    static const std::string dir = [] {
        char templ[] = "/tmp/varp-fuzz-XXXXXX";
        const char* made = mkdtemp(templ);
        Require(made != nullptr, "scratch folder");
        return std::string(made);
    }();
    return dir;
}

void CheckWorkspace(const App& app) {
    Require(app.ModelLoaded == 1, "ModelLoaded");
    const std::string broken = test::BrokenInvariant(app);
    if (!broken.empty()) Fail(broken.c_str());
}

}  // namespace varp::fuzz
