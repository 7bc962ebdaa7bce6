// The 3D view's render kinds on the demo character and on a 4096-triangle torus, each beside a
// memset or memcpy of the same buffers.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "views/iso/IsoBox.h"

namespace {

using namespace varp;

// The demo character, or the dense torus of 4096 triangles seen from 30 degrees above.
struct Model : bench::LoadedModel {
    explicit Model(bool isDense) : LoadedModel(isDense), dense(isDense) {}
    bool dense;

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

using bench::Height;
using bench::Width;

// Both sizes, on the character (0) and on the torus (1).
void Cases(benchmark::internal::Benchmark* b) {
    for (int model : {0, 1}) {
        b->Args({1920, 1080, model})->Args({3840, 2160, model});
    }
    b->ArgNames({"w", "h", "dense"})->Unit(benchmark::kMicrosecond);
}

// A full render first leaves texel offsets in the picks, as a brush stroke or a background
// change finds them; then the timed kind runs over and over.
void IsoRender(benchmark::State& state, int mode, IsoBox::Kind kind) {
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
    IsoRender(state, ModeMix, IsoBox::Kind::Full);
}
BENCHMARK(BM_IsoFull)->Apply(Cases);

void BM_IsoQuick(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Kind::Quick);
}
BENCHMARK(BM_IsoQuick)->Apply(Cases);

void BM_IsoRecolour(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Kind::Recolour);
}
BENCHMARK(BM_IsoRecolour)->Apply(Cases);

void BM_IsoBackground(benchmark::State& state) {
    IsoRender(state, ModeMix, IsoBox::Kind::Background);
}
BENCHMARK(BM_IsoBackground)->Apply(Cases);

void BM_IsoMapping(benchmark::State& state) {
    IsoRender(state, ModeMapping, IsoBox::Kind::Mapping);
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
