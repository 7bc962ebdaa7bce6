// What the fuzz targets share: a failed check aborts, which the fuzzer reports; the Workspace
// invariants after an accepted read; and the base folders the model targets read from.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/App.h"
#include "sample/Sample.h"
#include "support/Md2Files.h"
#include "support/TempDir.h"
#include "support/WorkspaceInvariants.h"

namespace varp::fuzz {

inline void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

inline void WriteFile(const std::string& osPath, const uint8_t* data, size_t size) {
    std::ofstream out(osPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(out.good(), "writing a scratch file");
}

// The Workspace after an accepted read: loaded, and every invariant holding.
inline void CheckWorkspace(const App& app) {
    Require(app.ModelLoaded == 1, "ModelLoaded");
    const std::string broken = test::BrokenInvariant(app);
    Require(broken.empty(), broken.c_str());
}

// OS path of a base folder under /tmp, made once per run (and removed when it ends), holding
// skins/a.pcx (8 x 8), skins/b.pcx (256 x 256) and loose.pcx (8 x 8) when `withSkins`, or no
// skin at all.
inline std::string BaseFolder(bool withSkins) {
    struct Run {
        test::TempDir dir;
        Run() {
            const std::vector<uint8_t> small = test::MakePcx(8, 8);
            dir.Write("with/skins/a.pcx", small);
            dir.Write("with/loose.pcx", small);
            dir.Write("with/skins/b.pcx", sample::SampleSkinBytes(0));
            std::filesystem::create_directories(dir.Path() + "/without");
        }
    };
    static const Run run;
    return run.dir.Path() + (withSkins ? "/with" : "/without");
}

}  // namespace varp::fuzz
