// Loading test models into the 3D view's Workspace.
#include "views/iso/IsoFixture.h"

#include "commands/ModelFiles.h"
#include "sample/Sample.h"

namespace varp::test {

int IsoFixture::Load(const std::vector<uint8_t>& model,
                     const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                     const std::string& folder) {
    dir.Write(folder + "/tris.md2", model);
    for (const auto& [name, bytes] : files) dir.Write(name, bytes);
    app->BaseFolder = dir.SystemPath();
    std::string path = folder + "/tris.md2";
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return LoadModel(*app, path);
}

int IsoFixture::LoadSample() {
    return Load(sample::SampleModelBytes(),
                {{"models/demo/skin.pcx", sample::SampleSkinBytes(0)},
                 {"models/demo/skin2.pcx", sample::SampleSkinBytes(1)}},
                "models/demo");
}

int IsoFixture::LoadDense(int triangles) {
    return Load(sample::DenseModelBytes(triangles),
                {{"models/dense/skin.pcx", sample::SampleSkinBytes(0)}}, "models/dense");
}

void IsoFixture::SetModel(const std::vector<Vec3>& vertices,
                          const std::vector<ModelTriangle>& triangles,
                          const std::vector<SkinCoord>& coords, int width, int height,
                          const std::vector<uint8_t>& texels) {
    App& a = *app;
    a.Frames.clear();
    a.Skins.clear();
    auto frame = std::make_unique<ModelFrame>();
    frame->Name = "frame01";
    frame->Vertices = vertices;
    a.Frames.push_back(std::move(frame));
    auto skin = std::make_unique<SkinImage>();
    skin->Name = "test.pcx";
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    skin->Pixels = texels;
    skin->StoredPixels = texels;
    skin->Palette = GreyPalette();
    a.Skins.push_back(std::move(skin));
    a.NumVertices = static_cast<int16_t>(vertices.size());
    a.NumTriangles = static_cast<int16_t>(triangles.size());
    for (size_t t = 0; t < triangles.size(); ++t) a.Triangles[t] = triangles[t];
    a.NumTexCoords = static_cast<int16_t>(coords.size());
    for (size_t i = 0; i < coords.size(); ++i) a.TexCoords[i] = coords[i];
    for (size_t t = 0; t < triangles.size(); ++t) {
        for (int k = 0; k < 3; ++k)
            a.Triangles[t].CornerST[k] = coords[static_cast<size_t>(triangles[t].TexCoord[k])];
    }
    a.SkinWidth = static_cast<int16_t>(width);
    a.SkinHeight = static_cast<int16_t>(height);
    a.ModelLoaded = 1;
    a.SelectFrame(0);
    a.SelectSkin(0);
}

}  // namespace varp::test
