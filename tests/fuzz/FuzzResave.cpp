// A model the reader accepts is painted, its skins and the model are saved, and what is
// written reads back to the same Workspace: same tables, same corners, same frames, same skin
// names. Whatever names the file holds, no file outside the base folder is opened: the
// platform refuses (and the run fails) before one could be read or written.
#include <algorithm>
#include <cstring>
#include <memory>

#include "commands/ModelFiles.h"
#include "fuzz/FuzzSupport.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "skins/SkinSaving.h"
#include "support/ScriptedPlatform.h"

using namespace varp;

namespace {

class ConfinedPlatform : public test::ScriptedPlatform {
  public:
    explicit ConfinedPlatform(std::string base) : base_(std::move(base)) {}
    std::unique_ptr<File> OpenFile(const std::string& path, FileMode mode, int* cause) override {
        const std::string resolved = ToOsForm(ResolvePath(path));
        // A name that resolves to the base folder itself ("", ".") opens no file: the open of
        // a folder is refused. Anything else must lie below it.
        fuzz::Require(resolved == base_ || resolved.rfind(base_ + "/", 0) == 0,
                      "no file outside the base folder");
        return ScriptedPlatform::OpenFile(path, mode, cause);
    }

  private:
    std::string base_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string base = fuzz::BaseFolder((data[0] & 1) != 0);
    fuzz::WriteFile(base + "/resave.md2", data + 1, size - 1);
    ConfinedPlatform sys(ToOsForm(ResolvePath(ToSystemForm(base))));
    sys.ChangeDirectory(ToSystemForm(base));
    auto first = std::make_unique<App>(sys), second = std::make_unique<App>(sys);
    first->BaseFolder = second->BaseFolder = ToSystemForm(base);
    if (!LoadModel(*first, "resave.md2")) return 0;
    // A stroke on every skin, saved where each lives (a skin whose file lies outside is offered
    // a Save As, which the script cancels).
    for (const auto& s : first->Skins) {
        s->Pixels[0] ^= 1;
        if (s->Flags == 0) SaveSkin(*first, *s);
    }
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
    // Names are written with '/', whatever the program kept.
    const auto written = [](std::string name) {
        std::replace(name.begin(), name.end(), '\\', '/');
        return name;
    };
    for (size_t s = 0; s < a.Skins.size(); ++s)
        fuzz::Require(written(a.Skins[s]->Name) == b.Skins[s]->Name, "the same skin names");
    return 0;
}
