// A model the reader accepts is written back, and what is written reads back to the same
// Workspace: same tables, same corners, same frames, same skin names.
#include <cstring>
#include <memory>

#include "formats/Md2Reader.h"
#include "formats/Md2Writer.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Paths.h"
#include "support/ScriptedPlatform.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string base = fuzz::BaseFolder((data[0] & 1) != 0);
    fuzz::WriteFile(base + "/resave.md2", data + 1, size - 1);
    test::ScriptedPlatform sys;
    auto first = std::make_unique<App>(sys), second = std::make_unique<App>(sys);
    first->BaseFolder = second->BaseFolder = ToSystemForm(base);
    if (!LoadModel(*first, "resave.md2")) return 0;
    // Names of 64 characters and more cannot be written; the writer refuses them.
    for (const auto& s : first->Skins) {
        if (s->Name.size() >= 64) return 0;
    }
    fuzz::Require(SaveModel(*first, ToSystemForm(base + "/written.md2")) == 1,
                  "an accepted model saves");
    fuzz::Require(LoadModel(*second, "written.md2") == 1, "a written model reads back");
    fuzz::CheckWorkspace(*second);
    const App &a = *first, &b = *second;
    fuzz::Require(a.NumTriangles == b.NumTriangles && a.NumTexCoords == b.NumTexCoords &&
                      a.NumVertices == b.NumVertices && a.SkinWidth == b.SkinWidth &&
                      a.SkinHeight == b.SkinHeight && a.Frames.size() == b.Frames.size() &&
                      a.Skins.size() == b.Skins.size(),
                  "the same counts and skin size");
    for (int i = 0; i < a.NumTriangles; ++i) {
        for (int k = 0; k < 3; ++k) {
            fuzz::Require(a.Triangles[i].Vertex[k] == b.Triangles[i].Vertex[k] &&
                              a.Triangles[i].CornerST[k] == b.Triangles[i].CornerST[k],
                          "the same corners");
        }
    }
    for (size_t f = 0; f < a.Frames.size(); ++f) {
        fuzz::Require(a.Frames[f]->Name == b.Frames[f]->Name &&
                          std::memcmp(a.Frames[f]->Vertices.data(), b.Frames[f]->Vertices.data(),
                                      a.Frames[f]->Vertices.size() * sizeof(Vec3)) == 0,
                      "the same frames");
    }
    for (size_t s = 0; s < a.Skins.size(); ++s)
        fuzz::Require(a.Skins[s]->Name == b.Skins[s]->Name, "the same skin names");
    return 0;
}
