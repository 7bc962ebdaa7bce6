// Importing a 1024 x 1024 RGBA picture into the demo skin's 256-colour palette, with and
// without dithering, beside a memcpy of the picture's bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "formats/Pcx.h"
#include "images/SkinImport.h"
#include "sample/Sample.h"

namespace {

using namespace varp;

constexpr int Side = 1024;

const SkinImage& DemoSkin() {
    static const auto skin = DecodePcx(ByteView(sample::SampleSkinBytes(0)));
    return *skin;
}

// A repaint of the demo skin in a full-colour program: the skin four times enlarged, every
// pixel's colour moved a little off the palette by a soft ramp (about 40000 distinct colours).
RgbaPicture Painted() {
    const SkinImage& skin = DemoSkin();
    RgbaPicture p;
    p.Width = p.Height = Side;
    p.Pixels.resize(size_t{Side} * Side);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const int s = x * skin.Width / Side, t = y * skin.Height / Side;
            const uint8_t* c = skin.Palette.data() + 3 * skin.Pixels[size_t(t * skin.Width + s)];
            const int shift = (x + y) % 16 - 8;
            const auto channel = [&](int v) {
                return static_cast<uint8_t>(std::clamp(v + shift, 0, 255));
            };
            p.Pixels[size_t(y * Side + x)] = {channel(c[0]), channel(c[1]), channel(c[2]), 255};
        }
    }
    return p;
}

// The worst case for the cache: every pixel a colour of its own, about.
RgbaPicture Noise() {
    RgbaPicture p;
    p.Width = p.Height = Side;
    p.Pixels.resize(size_t{Side} * Side);
    std::mt19937 rng(5);
    for (Rgba& px : p.Pixels) {
        const auto v = static_cast<uint32_t>(rng());
        px = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
              255};
    }
    return p;
}

void Import(benchmark::State& state, const RgbaPicture& picture, bool dither) {
    const int32_t locks[256] = {};
    ImportOptions options;
    options.Dither = dither;
    for (auto _ : state) {
        std::vector<uint8_t> texels =
            ImportPicture(picture, DemoSkin().Palette.data(), locks, nullptr, options);
        benchmark::DoNotOptimize(texels.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Side * Side * 4);
}

void BM_MemcpyPicture1024(benchmark::State& state) {
    const std::vector<uint8_t> a(size_t{Side} * Side * 4, 1);
    std::vector<uint8_t> b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * a.size()));
}
BENCHMARK(BM_MemcpyPicture1024)->Unit(benchmark::kMicrosecond);

void BM_ImportPainted1024(benchmark::State& state) {
    static const RgbaPicture picture = Painted();
    Import(state, picture, false);
}
BENCHMARK(BM_ImportPainted1024)->Unit(benchmark::kMillisecond);

void BM_ImportPainted1024Dithered(benchmark::State& state) {
    static const RgbaPicture picture = Painted();
    Import(state, picture, true);
}
BENCHMARK(BM_ImportPainted1024Dithered)->Unit(benchmark::kMillisecond);

void BM_ImportNoise1024(benchmark::State& state) {
    static const RgbaPicture picture = Noise();
    Import(state, picture, false);
}
BENCHMARK(BM_ImportNoise1024)->Unit(benchmark::kMillisecond);

void BM_ImportNoise1024Dithered(benchmark::State& state) {
    static const RgbaPicture picture = Noise();
    Import(state, picture, true);
}
BENCHMARK(BM_ImportNoise1024Dithered)->Unit(benchmark::kMillisecond);

}  // namespace
