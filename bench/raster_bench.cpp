// Fill rate of the polygon fillers and the pick-masked line drawer on a 1920 x 1080 target, each
// beside a memset of the buffers it writes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "raster/Raster.h"

namespace {

using namespace varp;

constexpr int32_t Width = 1920, Height = 1080, TexSize = 256, TriangleCount = 2000;

enum class Filler { Colour, Pick, Depth, DepthPick, DepthId };
const char* const FillerNames[] = {"DrawTexturedPolygon", "DrawTexturedPolygonPick",
                                   "DrawTexturedPolygonDepth", "DrawTexturedPolygonDepthPick",
                                   "DrawTexturedPolygonDepthId"};

struct Scene {
    std::vector<uint8_t> Colour = std::vector<uint8_t>(size_t{Width} * Height);
    std::vector<uint16_t> Depth = std::vector<uint16_t>(Colour.size(), 0xFFFF);
    std::vector<uint32_t> Pick = std::vector<uint32_t>(Colour.size(), 0xFFFFFFFF);
    std::vector<uint8_t> Texture = std::vector<uint8_t>(size_t{TexSize} * TexSize);
    // Triangles as depth records (26.6 texture coordinates); the 22.10 copies for the
    // colour-only fillers have u, v shifted left 4.
    std::vector<TexDepthVertex> Triangles;
    std::vector<TexVertex> FlatTriangles;
    EdgeTable Edges;
    RasterTarget Target{Colour.data(), Depth.data(), Pick.data(), Width, Height, 0, Width - 1, 0,
                        Height - 1,    &Edges};

    Scene() {
        std::mt19937 rng(1234);
        for (auto& t : Texture) t = uint8_t(rng());
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        while (Triangles.size() < 4 * size_t{TriangleCount}) {
            // A random shape scaled to an area of 10 to 400 pixels, like a model's triangles.
            double p[6];
            for (double& c : p) c = unit(rng);
            const double area =
                std::abs((p[2] - p[0]) * (p[5] - p[1]) - (p[4] - p[0]) * (p[3] - p[1])) / 2;
            if (area < 0.05) continue;
            const double scale = std::sqrt((10 + 390 * unit(rng)) / area);
            const double cx = 30 + (Width - 60) * unit(rng), cy = 30 + (Height - 60) * unit(rng);
            TexDepthVertex v[3];
            for (int k = 0; k < 3; ++k) {
                v[k] = {int32_t(cx + (p[2 * k] - 0.5) * scale),
                        int32_t(cy + (p[2 * k + 1] - 0.5) * scale),
                        int32_t(rng() % ((TexSize - 1) * 64)),
                        int32_t(rng() % ((TexSize - 1) * 64)), int32_t(rng() % 16385) * 64};
            }
            Triangles.insert(Triangles.end(), {v[0], v[1], v[2], v[0]});
        }
        for (const TexDepthVertex& v : Triangles)
            FlatTriangles.push_back({v.x, v.y, v.u << 4, v.v << 4});
    }

    void Draw(Filler f, const TexDepthVertex* dv, const TexVertex* fv, int32_t n, uint32_t id) {
        const uint8_t* tex = Texture.data();
        switch (f) {
            case Filler::Colour:
                return DrawTexturedPolygon(Target, fv, n, tex, TexSize);
            case Filler::Pick:
                return DrawTexturedPolygonPick(Target, fv, n, tex, TexSize);
            case Filler::Depth:
                return DrawTexturedPolygonDepth(Target, dv, n, tex, TexSize);
            case Filler::DepthPick:
                return DrawTexturedPolygonDepthPick(Target, dv, n, tex, TexSize);
            case Filler::DepthId:
                return DrawTexturedPolygonDepthId(Target, dv, n, tex, TexSize, id);
        }
    }

    // The full-screen rectangle, with the whole texture stretched over it.
    static constexpr int32_t T = (TexSize - 1) * 64;
    const TexDepthVertex DepthQuad[5] = {{0, 0, 0, 0, 640},
                                         {Width - 1, 0, T, 0, 640},
                                         {Width - 1, Height - 1, T, T, 640},
                                         {0, Height - 1, 0, T, 640},
                                         {0, 0, 0, 0, 640}};
    const TexVertex Quad[5] = {{0, 0, 0, 0},
                               {Width - 1, 0, T << 4, 0},
                               {Width - 1, Height - 1, T << 4, T << 4},
                               {0, Height - 1, 0, T << 4},
                               {0, 0, 0, 0}};
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

bool UsesDepth(Filler f) {
    return f >= Filler::Depth;
}

// A frame starts from a cleared depth buffer, as the renderer's does; the clear is not timed.
void ClearDepthUntimed(benchmark::State& state, Scene& s, Filler f) {
    if (!UsesDepth(f)) return;
    state.PauseTiming();
    std::fill(s.Depth.begin(), s.Depth.end(), uint16_t{0xFFFF});
    state.ResumeTiming();
}

void Triangles(benchmark::State& state, Filler f) {
    Scene& s = TheScene();
    s.Edges.Reserve(Height);
    for (auto _ : state) {
        ClearDepthUntimed(state, s, f);
        for (uint32_t t = 0; t < TriangleCount; ++t)
            s.Draw(f, &s.Triangles[4 * t], &s.FlatTriangles[4 * t], 3, t);
        benchmark::ClobberMemory();
    }
}

void FullScreen(benchmark::State& state, Filler f) {
    Scene& s = TheScene();
    s.Edges.Reserve(Height);
    for (auto _ : state) {
        ClearDepthUntimed(state, s, f);
        s.Draw(f, s.DepthQuad, s.Quad, 4, 1);
        benchmark::ClobberMemory();
    }
}

// The memory traffic floor: one memset of each buffer the filler writes (bit 0 colour, bit 1
// depth, bit 2 pick).
void Memset(benchmark::State& state, int buffers) {
    Scene& s = TheScene();
    for (auto _ : state) {
        if (buffers & 1) std::memset(s.Colour.data(), 3, s.Colour.size());
        if (buffers & 2) std::memset(s.Depth.data(), 0xFF, s.Depth.size() * 2);
        if (buffers & 4) std::memset(s.Pick.data(), 0xFF, s.Pick.size() * 4);
        benchmark::ClobberMemory();
    }
}

// The model's edges over a pick buffer left by drawing its triangles with their ids, as the 3D
// view's outline pass does.
void LinesOverId(benchmark::State& state) {
    Scene& s = TheScene();
    std::fill(s.Depth.begin(), s.Depth.end(), uint16_t{0xFFFF});
    for (uint32_t t = 0; t < TriangleCount; ++t)
        s.Draw(Filler::DepthId, &s.Triangles[4 * t], nullptr, 3, t);
    for (auto _ : state) {
        for (uint32_t t = 0; t < TriangleCount; ++t) {
            const TexDepthVertex* v = &s.Triangles[4 * t];
            for (int k = 0; k < 3; ++k) {
                int32_t line[4] = {v[k].x, v[k].y, v[k + 1].x, v[k + 1].y};
                DrawLineOverId(s.Target, line, 255, t);
            }
        }
        benchmark::ClobberMemory();
    }
}

const bool Registered = [] {
    const std::pair<const char*, int> memsets[] = {{"Memset/Colour", 1},
                                                   {"Memset/ColourPick", 5},
                                                   {"Memset/ColourDepth", 3},
                                                   {"Memset/ColourDepthPick", 7}};
    for (const auto& [name, buffers] : memsets) {
        benchmark::RegisterBenchmark(name, Memset, buffers)->Unit(benchmark::kMillisecond);
    }
    for (int f = 0; f < 5; ++f) {
        const std::string name = FillerNames[f];
        benchmark::RegisterBenchmark(("Triangles2000/" + name).c_str(), Triangles, Filler(f))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("FullScreen/" + name).c_str(), FullScreen, Filler(f))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Edges6000/DrawLineOverId", LinesOverId)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
