// Reading and writing models and skins, each beside a memcpy of as many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "formats/GlCommands.h"
#include "formats/Md2Layout.h"
#include "formats/Pcx.h"
#include "platform/ConsolePlatform.h"

namespace {

using namespace varp;

// The demo base folder, written once for the whole run.
const bench::ModelFolder& SampleBase() {
    static const bench::ModelFolder folder(false);
    return folder;
}

void Memcpy(benchmark::State& state, size_t bytes) {
    std::vector<uint8_t> a(bytes, 1), b(bytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_LoadSampleModel(benchmark::State& state) {
    ConsolePlatform sys;
    auto app = std::make_unique<App>(sys);
    for (auto _ : state) benchmark::DoNotOptimize(SampleBase().LoadInto(*app));
    state.counters["file_bytes"] = static_cast<double>(app->ModelFileImage.size());
}
BENCHMARK(BM_LoadSampleModel)->Unit(benchmark::kMicrosecond);

void BM_MemcpySampleModelBytes(benchmark::State& state) {
    Memcpy(state, sample::SampleModelBytes().size());
}
BENCHMARK(BM_MemcpySampleModelBytes)->Unit(benchmark::kMicrosecond);

void BM_SaveSampleModel(benchmark::State& state) {
    ConsolePlatform sys;
    auto app = std::make_unique<App>(sys);
    SampleBase().LoadInto(*app);
    const std::string out = ToSystemForm(SampleBase().Path() + "/resaved.md2");
    for (auto _ : state) benchmark::DoNotOptimize(SaveModel(*app, out));
}
BENCHMARK(BM_SaveSampleModel)->Unit(benchmark::kMicrosecond);

void BM_BuildGlCommands4096(benchmark::State& state) {
    ConsolePlatform sys;
    auto app = std::make_unique<App>(sys);
    const bench::ModelFolder dense(true);
    dense.LoadInto(*app);
    size_t count = 0;
    for (auto _ : state) {
        const std::vector<int32_t> words = BuildGlCommands(*app);
        count = words.size();
        benchmark::DoNotOptimize(words.data());
    }
    state.counters["words"] = static_cast<double>(count);
}
BENCHMARK(BM_BuildGlCommands4096)->Unit(benchmark::kMicrosecond);

void BM_MemcpyGlCommandBytes4096(benchmark::State& state) {
    // The worst case: every one of 4096 triangles alone (10 words each) and the end mark.
    Memcpy(state, 4 * (10 * MaxTriangles + 1));
}
BENCHMARK(BM_MemcpyGlCommandBytes4096)->Unit(benchmark::kMicrosecond);

void BM_DecodeSkin256(benchmark::State& state) {
    const std::vector<uint8_t> file = sample::SampleSkinBytes(0);
    for (auto _ : state) benchmark::DoNotOptimize(DecodePcx(ByteView(file)));
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_DecodeSkin256)->Unit(benchmark::kMicrosecond);

void BM_EncodeSkin256(benchmark::State& state) {
    const std::vector<uint8_t> file = sample::SampleSkinBytes(0);
    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(file));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            EncodePcx(skin->Pixels.data(), skin->Width, skin->Height, skin->Palette.data()));
    }
}
BENCHMARK(BM_EncodeSkin256)->Unit(benchmark::kMicrosecond);

void BM_MemcpySkin256(benchmark::State& state) {
    Memcpy(state, 256 * 256);
}
BENCHMARK(BM_MemcpySkin256)->Unit(benchmark::kMicrosecond);

}  // namespace
