// Any bytes as a model file, through the pure parse: a refusal gives a reason and leaves the
// model alone; an accepted model holds only indices and coordinates the views may use.
#include "formats/Md2Parse.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Md2Model model;
    const std::string problem = ParseMd2(std::vector<uint8_t>(data, data + size), &model);
    if (!problem.empty()) {
        fuzz::Require(model.FileImage.empty() && model.Triangles.empty() && model.Frames.empty(),
                      "a refusal leaves the model alone");
        return 0;
    }
    fuzz::Require(model.FileImage.size() == size, "the file image is the file");
    fuzz::Require(model.SkinWidth > 0 && model.SkinHeight > 0 && model.SkinWidth <= MaxSkinSide &&
                      model.SkinHeight <= MaxSkinSide,
                  "a skin size the views can show");
    for (const SkinCoord& c : model.TexCoords) {
        fuzz::Require(c.s >= 0 && c.s <= model.SkinWidth && c.t >= 0 && c.t <= model.SkinHeight,
                      "every coordinate inside the skin");
    }
    const int coords = static_cast<int>(model.TexCoords.size());
    for (const ModelTriangle& t : model.Triangles) {
        for (int k = 0; k < 3; ++k) {
            fuzz::Require(t.Vertex[k] >= 0 && t.Vertex[k] < model.NumVertices,
                          "every corner names a vertex");
            fuzz::Require(t.TexCoord[k] >= 0 && t.TexCoord[k] < coords &&
                              model.TexCoords[static_cast<size_t>(t.TexCoord[k])] == t.CornerST[k],
                          "every corner names its coordinate");
        }
    }
    for (const auto& frame : model.Frames) {
        fuzz::Require(frame->Vertices.size() == static_cast<size_t>(model.NumVertices),
                      "every frame holds every vertex");
    }
    return 0;
}
