// A 3D view over a real Workspace for tests: the model goes through the MD2 reader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/App.h"
#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "views/iso/IsoBox.h"

namespace varp::test {

struct IsoFixture {
    ScriptedPlatform platform;
    TempDir dir;
    std::unique_ptr<App> app = std::make_unique<App>(platform);  // large: on the heap
    FakePaneHost host;
    std::unique_ptr<IsoBox> box = std::make_unique<IsoBox>(*app, host);

    // The host tells the pane when it loses the capture.
    IsoFixture() { host.pane = box.get(); }

    // Writes the model and its files (relative path, bytes) under the base folder and loads
    // "models\x\tris.md2" through the reader; 1 on success.
    int Load(const std::vector<uint8_t>& model,
             const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
             const std::string& folder = "models/test");
    // The demo character with its two skins.
    int LoadSample();
    // The dense torus of `triangles` triangles with the demo skin.
    int LoadDense(int triangles);

    // A hand-made model straight into the Workspace: one frame of `vertices`, the triangles
    // (Vertex and TexCoord set), the coordinate table and one skin of width x height texels,
    // `texels` row by row. The frame and the skin become current.
    void SetModel(const std::vector<Vec3>& vertices, const std::vector<ModelTriangle>& triangles,
                  const std::vector<SkinCoord>& coords, int width, int height,
                  const std::vector<uint8_t>& texels);

    // Buffer element of a window point.
    size_t At(int x, int y) const {
        return static_cast<size_t>(box->BufferHeight - 1 - y) *
                   static_cast<size_t>(box->BufferWidth) +
               static_cast<size_t>(x);
    }
};

}  // namespace varp::test
