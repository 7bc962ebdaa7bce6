// The 3D view's render kinds on the demo character and on a 4096-triangle torus, each beside a
// memset or memcpy of the same buffers.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "formats/Md2Reader.h"
#include "platform/ConsolePlatform.h"
#include "platform/Paths.h"
#include "sample/Sample.h"
#include "views/iso/IsoBox.h"

namespace {

using namespace varp;

class NoHost : public PaneHost {
  public:
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HoldsCapture() override { return false; }
    int ShowCursor(bool) override { return 0; }
    void SetCursorPos(ClientPoint) override {}
    void ClientSize(int* width, int* height) override { *width = *height = 0; }
    void RedrawNow() override {}
    void SendRefresh(int) override {}
};

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A model loaded once for the whole run from a base folder removed at exit: the demo
// character, or the dense torus of 4096 triangles seen from 30 degrees above.
struct Model {
    std::string dir;
    ConsolePlatform sys;
    std::unique_ptr<App> app;
    NoHost host;
    bool dense;

    explicit Model(bool isDense) : dense(isDense) {
        char templ[] = "/tmp/varp-iso-bench-XXXXXX";
        dir = mkdtemp(templ);
        const std::filesystem::path base(dir);
        if (dense) {
            WriteFile(base / "models/dense/tris.md2", sample::DenseModelBytes(4096));
            WriteFile(base / "models/dense/skin.pcx", sample::SampleSkinBytes(0));
        } else {
            WriteFile(base / "models/demo/tris.md2", sample::SampleModelBytes());
            WriteFile(base / "models/demo/skin.pcx", sample::SampleSkinBytes(0));
            WriteFile(base / "models/demo/skin2.pcx", sample::SampleSkinBytes(1));
        }
        app = std::make_unique<App>(sys);
        app->BaseFolder = ToSystemForm(dir);
        LoadModel(*app, dense ? "models\\dense\\tris.md2" : "models\\demo\\tris.md2");
        // Every outline colour in play for the Mapping render.
        for (int i = 0; i < app->NumTriangles; ++i) {
            app->Triangles[i].Flags = static_cast<uint32_t>(i % 4);
        }
    }
    ~Model() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::unique_ptr<IsoBox> View(int width, int height) {
        app->Mode = ModeMix;
        auto box = std::make_unique<IsoBox>(*app, host);
        if (dense) {
            box->ViewCamera.BeginOrbit();
            box->ViewCamera.Orbit(0, 150);
        }
        box->OnSize(width, height);
        return box;
    }
};

Model& Demo(const benchmark::State& state) {
    static Model character(false);
    static Model torus(true);
    return state.range(2) != 0 ? torus : character;
}

int Width(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}
int Height(const benchmark::State& state) {
    return static_cast<int>(state.range(1));
}

// Both sizes, on the character (0) and on the torus (1).
void Cases(benchmark::internal::Benchmark* b) {
    for (int model : {0, 1}) {
        b->Args({1920, 1080, model})->Args({3840, 2160, model});
    }
    b->ArgNames({"w", "h", "dense"})->Unit(benchmark::kMicrosecond);
}

// A full render first leaves texel offsets in the picks, as a brush stroke or a background
// change finds them; then the timed kind runs over and over.
void IsoRender(benchmark::State& state, int mode, int kind) {
    Model& m = Demo(state);
    auto box = m.View(Width(state), Height(state));
    m.app->Mode = mode;
    for (auto _ : state) {
        box->Render(kind);
        benchmark::DoNotOptimize(box->PixelBuffer.data());
        benchmark::ClobberMemory();
    }
    state.counters["visible"] = box->VisibleCount;
    m.app->Mode = ModeMix;
}

void BM_IsoFull(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Full);
}
BENCHMARK(BM_IsoFull)->Apply(Cases);

void BM_IsoQuick(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Quick);
}
BENCHMARK(BM_IsoQuick)->Apply(Cases);

void BM_IsoRecolour(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Recolour);
}
BENCHMARK(BM_IsoRecolour)->Apply(Cases);

void BM_IsoBackground(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Background);
}
BENCHMARK(BM_IsoBackground)->Apply(Cases);

void BM_IsoMapping(benchmark::State& state) {
    IsoRender(state, ModeMapping, IsoBox::MappingRender);
}
BENCHMARK(BM_IsoMapping)->Apply(Cases);

size_t Count(const benchmark::State& state) {
    return static_cast<size_t>(Width(state)) * static_cast<size_t>(Height(state));
}

// The clear of a Full or Mapping render: all three buffers.
void BM_MemsetAllThreeBuffers(benchmark::State& state) {
    const size_t count = Count(state);
    std::vector<uint8_t> pixels(count);
    std::vector<uint16_t> depth(count);
    std::vector<uint32_t> pick(count);
    for (auto _ : state) {
        std::memset(pixels.data(), 17, count);
        std::memset(depth.data(), 0xFF, count * sizeof(uint16_t));
        std::memset(pick.data(), 0xFF, count * sizeof(uint32_t));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::DoNotOptimize(depth.data());
        benchmark::DoNotOptimize(pick.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetAllThreeBuffers)->Apply(Cases);

// The clear of a Quick render: colour and depth.
void BM_MemsetPixelAndDepthBuffers(benchmark::State& state) {
    const size_t count = Count(state);
    std::vector<uint8_t> pixels(count);
    std::vector<uint16_t> depth(count);
    for (auto _ : state) {
        std::memset(pixels.data(), 17, count);
        std::memset(depth.data(), 0xFF, count * sizeof(uint16_t));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::DoNotOptimize(depth.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetPixelAndDepthBuffers)->Apply(Cases);

// Recolour and Background read the pick buffer and write the picture: a memcpy of the pick
// buffer moves at least as many bytes.
void BM_MemcpyPickBuffer(benchmark::State& state) {
    const size_t count = Count(state);
    std::vector<uint32_t> from(count, 0xFFFFFFFFu), to(count);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), count * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyPickBuffer)->Apply(Cases);

}  // namespace
