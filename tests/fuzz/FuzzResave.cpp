// A model the reader accepts is written back, and what is written reads back to the same
// Workspace: same tables, same corners, same frames, same skin names.
#include <cstdint>
#include <cstring>
#include <memory>

#include "commands/ModelFiles.h"
#include "formats/Md2Layout.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "support/ScriptedPlatform.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string base = fuzz::BaseFolder((data[0] & 1) != 0);
    fuzz::WriteFile(base + "/resave.md2", data + 1, size - 1);
    test::ScriptedPlatform sys;
    auto first = std::make_unique<App>(sys);
    first->BaseFolder = fuzz::SystemForm(base);
    if (!LoadModel(*first, "resave.md2")) return 0;
    // Names of 64 characters and more cannot be written; the writer refuses them.
    for (const auto& s : first->Skins) {
        if (s->Name.size() >= 64) return 0;
    }
    fuzz::Require(SaveModel(*first, fuzz::SystemForm(base + "/written.md2")) == 1,
                  "an accepted model saves");
    auto second = std::make_unique<App>(sys);
    second->BaseFolder = first->BaseFolder;
    fuzz::Require(LoadModel(*second, "written.md2") == 1, "a written model reads back");
    fuzz::CheckWorkspace(*second);
    fuzz::Require(second->NumTriangles == first->NumTriangles, "triangle count");
    fuzz::Require(second->NumTexCoords == first->NumTexCoords, "coordinate count");
    fuzz::Require(second->NumVertices == first->NumVertices, "vertex count");
    fuzz::Require(second->SkinWidth == first->SkinWidth && second->SkinHeight == first->SkinHeight,
                  "skin size");
    for (int i = 0; i < first->NumTriangles; ++i) {
        for (int k = 0; k < 3; ++k) {
            fuzz::Require(second->Triangles[i].Vertex[k] == first->Triangles[i].Vertex[k],
                          "vertex");
            fuzz::Require(second->Triangles[i].CornerST[k] == first->Triangles[i].CornerST[k],
                          "corner");
        }
    }
    fuzz::Require(second->Frames.size() == first->Frames.size(), "frame count");
    for (size_t f = 0; f < first->Frames.size(); ++f) {
        fuzz::Require(second->Frames[f]->Name == first->Frames[f]->Name, "frame name");
        fuzz::Require(
            std::memcmp(second->Frames[f]->Vertices.data(), first->Frames[f]->Vertices.data(),
                        first->Frames[f]->Vertices.size() * sizeof(Vec3)) == 0,
            "frame vertices");
    }
    fuzz::Require(second->Skins.size() == first->Skins.size(), "skin count");
    for (size_t s = 0; s < first->Skins.size(); ++s) {
        fuzz::Require(second->Skins[s]->Name == first->Skins[s]->Name, "skin name");
    }
    return 0;
}
