// The skin view's renders, the palette's render and the pane blit on the demo model, each beside
// a memset or memcpy of the same buffers.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "views/Blit.h"
#include "views/palette/PalBox.h"
#include "views/skin/SkinBox.h"

namespace {

using namespace varp;

using Sample = bench::LoadedModel;

Sample& Demo() {
    static Sample sample(false);
    return sample;
}

using bench::Height;
using bench::Width;

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

// The skin centred at zoom 3 (768 x 768 pixels of skin; the rest is background).
void SkinRender(benchmark::State& state, int mode, SkinBox::Kind kind) {
    Sample& s = Demo();
    s.app->Mode = ModeMix;
    auto box = std::make_unique<SkinBox>(*s.app, s.host);
    box->PanS = box->PanT = 128.0f;
    box->OnSize(Width(state), Height(state));
    s.app->Mode = mode;
    for (auto _ : state) {
        box->Render(kind);
        benchmark::DoNotOptimize(box->PixelBuffer.data());
        benchmark::ClobberMemory();
    }
    s.app->Mode = ModeMix;
}

void BM_SkinFull(benchmark::State& state) {
    SkinRender(state, ModeMix, SkinBox::Kind::Full);
}
BENCHMARK(BM_SkinFull)->Apply(Sizes);

void BM_SkinDisplayOnly(benchmark::State& state) {
    SkinRender(state, ModeMix, SkinBox::Kind::DisplayOnly);
}
BENCHMARK(BM_SkinDisplayOnly)->Apply(Sizes);

void BM_SkinMapping(benchmark::State& state) {
    SkinRender(state, ModeMapping, SkinBox::Kind::Full);
}
BENCHMARK(BM_SkinMapping)->Apply(Sizes);

void BM_SkinRecolour(benchmark::State& state) {
    SkinRender(state, ModeMix, SkinBox::Kind::Recolour);
}
BENCHMARK(BM_SkinRecolour)->Apply(Sizes);

// What a full render writes at the least: both buffers cleared.
void BM_MemsetPixelAndPickBuffers(benchmark::State& state) {
    const size_t count = static_cast<size_t>(Width(state)) * static_cast<size_t>(Height(state));
    std::vector<uint8_t> pixels(count);
    std::vector<uint32_t> pick(count);
    for (auto _ : state) {
        std::memset(pixels.data(), 17, count);
        std::memset(pick.data(), 0xFF, count * sizeof(uint32_t));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::DoNotOptimize(pick.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetPixelAndPickBuffers)->Apply(Sizes);

// What a display-only render and the palette write at the least: the picture cleared.
void BM_MemsetPixelBuffer(benchmark::State& state) {
    const size_t count = static_cast<size_t>(Width(state)) * static_cast<size_t>(Height(state));
    std::vector<uint8_t> pixels(count);
    for (auto _ : state) {
        std::memset(pixels.data(), 17, count);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetPixelBuffer)->Apply(Sizes);

void BM_PalBoxRender(benchmark::State& state) {
    Sample& s = Demo();
    for (int k = 0; k < 256; k += 3) s.app->ColourLocks[k] = 1;
    s.app->PaintColour = 37;
    s.app->BackgroundColour = 200;
    auto box = std::make_unique<PalBox>(*s.app, s.host);
    box->OnSize(Width(state), Height(state));
    for (auto _ : state) {
        box->Render();
        benchmark::DoNotOptimize(box->PixelBuffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PalBoxRender)->Args({192, 192})->Apply(Sizes);
BENCHMARK(BM_MemsetPixelBuffer)->Args({192, 192})->Unit(benchmark::kMicrosecond);

// The blit of a whole rendered skin view through the skin's colour table.
void BM_BlitPane(benchmark::State& state) {
    Sample& s = Demo();
    const int width = Width(state), height = Height(state);
    auto box = std::make_unique<SkinBox>(*s.app, s.host);
    box->PanS = box->PanT = 128.0f;
    box->OnSize(width, height);
    uint32_t table[256];
    PaneColourTable(*s.app, table);
    std::vector<uint32_t> image(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (auto _ : state) {
        BlitPane(box->Pixels(), box->BufferWidth, box->BufferHeight, table, 0, 0, width, height,
                 image.data(), width);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitPane)->Apply(Sizes);

// The blit's output written by memcpy from an image of the same size.
void BM_MemcpyImage(benchmark::State& state) {
    const size_t count = static_cast<size_t>(Width(state)) * static_cast<size_t>(Height(state));
    std::vector<uint32_t> from(count, 0xFF112233u), to(count);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), count * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyImage)->Apply(Sizes);

}  // namespace
