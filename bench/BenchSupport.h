// What the benchmark programs share: a model in a base folder of its own, a pane host that
// does nothing, and the picture size of a case.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "commands/ModelFiles.h"
#include "platform/ConsolePlatform.h"
#include "platform/PaneHost.h"
#include "platform/Paths.h"
#include "sample/Sample.h"

namespace varp::bench {

// A base folder in /tmp holding one model, removed when the benchmark program ends: the demo
// character with its two skins, or the dense torus of 4096 triangles with the first skin.
class ModelFolder {
  public:
    explicit ModelFolder(bool dense) : dense_(dense) {
        char templ[] = "/tmp/varp-bench-XXXXXX";
        if (mkdtemp(templ) != nullptr) dir_ = templ;
        const std::filesystem::path base(dir_);
        const char* folder = dense ? "models/dense" : "models/demo";
        Write(base / folder / "tris.md2",
              dense ? sample::DenseModelBytes(4096) : sample::SampleModelBytes());
        Write(base / folder / "skin.pcx", sample::SampleSkinBytes(0));
        if (!dense) Write(base / folder / "skin2.pcx", sample::SampleSkinBytes(1));
    }
    ~ModelFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    ModelFolder(const ModelFolder&) = delete;
    ModelFolder& operator=(const ModelFolder&) = delete;

    const std::string& Path() const { return dir_; }
    // Reads the model into an App, with this folder as its base folder.
    int LoadInto(App& app) const {
        app.BaseFolder = ToSystemForm(dir_);
        return LoadModel(app, dense_ ? "models\\dense\\tris.md2" : "models\\demo\\tris.md2");
    }

  private:
    static void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    bool dense_;
    std::string dir_;
};

// A pane with no window around it: nothing to capture, redraw or notify.
class NoHost : public PaneHost {
  public:
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HoldsCapture() override { return false; }
    int ShowCursor(bool) override { return 0; }
    void SetCursorPos(ClientPoint) override {}
    void ClientSize(int* width, int* height) override { *width = *height = 0; }
    void RedrawNow() override {}
    void SendRefresh(Refresh) override {}
};

// A model read once for the whole run, with the four triangle flag values (and so every
// outline colour of the Mapping renders) in play.
struct LoadedModel {
    explicit LoadedModel(bool dense) : folder(dense), app(std::make_unique<App>(sys)) {
        folder.LoadInto(*app);
        for (int i = 0; i < app->NumTriangles; ++i) {
            app->Triangles[i].Flags = static_cast<uint32_t>(i % 4);
        }
    }

    ModelFolder folder;
    ConsolePlatform sys;
    std::unique_ptr<App> app;
    NoHost host;
};

// The picture size of a case: its first two arguments.
inline int Width(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}
inline int Height(const benchmark::State& state) {
    return static_cast<int>(state.range(1));
}

}  // namespace varp::bench
