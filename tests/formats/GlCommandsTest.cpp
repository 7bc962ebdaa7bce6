// Strips and fans: exact words for small cases, the decoded triangle set for random meshes,
// and agreement with a plain linear-search builder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

#include "formats/GlCommands.h"
#include "support/Md2Files.h"

namespace varp {
namespace {

using test::Tri;

float AsFloat(int32_t w) {
    float f;
    std::memcpy(&f, &w, 4);
    return f;
}

int32_t Word(float f) {
    int32_t w;
    std::memcpy(&w, &f, 4);
    return w;
}

struct Mesh {
    std::vector<ModelTriangle> tris;
    std::vector<SkinCoord> coords;
    int width = 256, height = 256;
    std::vector<int32_t> Build() const {
        return BuildGlCommands(tris.data(), static_cast<int>(tris.size()), coords.data(), width,
                               height);
    }
};

TEST(GlCommands, ALoneTriangleIsAFanOfThreeFromCornerZero) {
    Mesh m{{Tri(5, 6, 7, 0, 1, 2)}, {{0, 0}, {255, 0}, {3, 4}}};
    const int32_t mid0 = Word(0.001953125f);  // (0 + 0.5) / 256
    EXPECT_EQ(m.Build(), (std::vector<int32_t>{-3, mid0, mid0, 5, Word(255.5f / 256), mid0, 6,
                                               Word(3.5f / 256), Word(4.5f / 256), 7, 0}));
    EXPECT_EQ(Mesh{}.Build(), std::vector<int32_t>{0});  // no triangles: the end mark alone
}

TEST(GlCommands, TwoTrianglesSharingAnEdgeFormOneGroupOfFour) {
    // Same vertices and points along the shared edge 0-2, wound the same way.
    Mesh m{{Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3)}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    std::vector<int32_t> out = m.Build();
    ASSERT_EQ(out.size(), 1u + 4 * 3 + 1);
    EXPECT_EQ(out[0], -4);  // a fan from corner 0: 0, 1, 2, 3
    for (int k = 0; k < 4; ++k) EXPECT_EQ(out[static_cast<size_t>(3 + 3 * k)], k);
    // A different point on the shared edge keeps them apart.
    m.tris[1] = Tri(0, 2, 3, 0, 4, 3);
    m.coords.push_back({1, 1});
    out = m.Build();
    EXPECT_EQ(out.size(), 1u + 10 + 10);
    EXPECT_EQ(out[0], -3);
    EXPECT_EQ(out[10], -3);
}

// Triangles as (vertex, s, t) corner triples, each rotated to start at its smallest corner.
using Corner = std::tuple<int, float, float>;
using Face = std::array<Corner, 3>;

Face Rotated(Corner a, Corner b, Corner c) {
    Face f{a, b, c};
    std::rotate(f.begin(), std::min_element(f.begin(), f.end()), f.end());
    return f;
}

std::multiset<Face> Decode(const std::vector<int32_t>& w) {
    std::multiset<Face> faces;
    size_t i = 0;
    while (w[i] != 0) {
        const bool fan = w[i] < 0;
        const int n = std::abs(w[i++]);
        std::vector<Corner> v;
        for (int k = 0; k < n; ++k, i += 3)
            v.emplace_back(w[i + 2], AsFloat(w[i]), AsFloat(w[i + 1]));
        for (int k = 0; k + 2 < n; ++k) {
            if (fan)
                faces.insert(Rotated(v[0], v[k + 1], v[k + 2]));
            else if (k % 2 == 0)
                faces.insert(Rotated(v[k], v[k + 1], v[k + 2]));
            else
                faces.insert(Rotated(v[k + 1], v[k], v[k + 2]));
        }
    }
    EXPECT_EQ(i + 1, w.size());
    return faces;
}

std::multiset<Face> Expected(const Mesh& m) {
    std::multiset<Face> faces;
    for (const ModelTriangle& t : m.tris) {
        Corner c[3];
        for (int k = 0; k < 3; ++k) {
            const SkinCoord st = m.coords[static_cast<size_t>(t.TexCoord[k])];
            c[k] = {t.Vertex[k], (st.s + 0.5f) / static_cast<float>(m.width),
                    (st.t + 0.5f) / static_cast<float>(m.height)};
        }
        faces.insert(Rotated(c[0], c[1], c[2]));
    }
    return faces;
}

// The builder written as plainly as it can be: six tries per free triangle, runs grown by a
// linear search over the later triangles.
std::vector<int32_t> PlainBuild(const Mesh& m) {
    const int n = static_cast<int>(m.tris.size());
    std::vector<int> flags(static_cast<size_t>(n), 0);
    auto pair = [&](int t, int k) {
        return std::make_pair(m.tris[static_cast<size_t>(t)].Vertex[k % 3],
                              m.tris[static_cast<size_t>(t)].TexCoord[k % 3]);
    };
    std::vector<int32_t> out;
    for (int i = 0; i < n; ++i) {
        if (flags[static_cast<size_t>(i)] != 0) continue;
        std::vector<std::pair<int16_t, int16_t>> best;
        std::vector<int> bestTris;
        bool bestStrip = false;
        for (int attempt = 0; attempt < 6; ++attempt) {
            const bool strip = attempt >= 3;
            const int c = attempt % 3;
            flags[static_cast<size_t>(i)] = 2;
            std::vector<std::pair<int16_t, int16_t>> verts = {pair(i, c), pair(i, c + 1),
                                                              pair(i, c + 2)};
            std::vector<int> tris = {i};
            auto a = strip ? verts[2] : verts[0];
            auto b = strip ? verts[1] : verts[2];
            for (;;) {
                int found = -1, foundK = 0;
                for (int j = i + 1; j < n && found < 0; ++j) {
                    for (int k = 0; k < 3; ++k) {
                        if (pair(j, k) == a && pair(j, k + 1) == b) {
                            found = j;
                            foundK = k;
                            break;
                        }
                    }
                }
                if (found < 0 || flags[static_cast<size_t>(found)] != 0) break;
                const auto v = pair(found, foundK + 2);
                const bool odd = tris.size() % 2 == 1;
                verts.push_back(v);
                tris.push_back(found);
                flags[static_cast<size_t>(found)] = 2;
                if (!strip || odd)
                    b = v;
                else
                    a = v;
            }
            for (size_t k = 1; k < tris.size(); ++k) flags[static_cast<size_t>(tris[k])] = 0;
            if (tris.size() > bestTris.size()) {
                best = verts;
                bestTris = tris;
                bestStrip = strip;
            }
        }
        for (int t : bestTris) flags[static_cast<size_t>(t)] = 1;
        const int count = static_cast<int>(best.size());
        out.push_back(bestStrip ? count : -count);
        for (const auto& [vertex, coord] : best) {
            const SkinCoord st = m.coords[static_cast<size_t>(coord)];
            out.push_back(Word((st.s + 0.5f) / static_cast<float>(m.width)));
            out.push_back(Word((st.t + 0.5f) / static_cast<float>(m.height)));
            out.push_back(vertex);
        }
    }
    out.push_back(0);
    return out;
}

// A grid of quads, each split along a random diagonal, with some seams (a second point for
// the same vertex) and some triangles shuffled or flipped.
Mesh RandomGrid(std::mt19937& rng, int cols, int rows) {
    Mesh m;
    m.width = 64 + static_cast<int>(rng() % 200);
    m.height = 64 + static_cast<int>(rng() % 200);
    auto vertex = [&](int x, int y) { return y * (cols + 1) + x; };
    for (int y = 0; y <= rows; ++y) {
        for (int x = 0; x <= cols; ++x)
            m.coords.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y)});
    }
    const int seam = static_cast<int>(m.coords.size());
    for (int y = 0; y <= rows; ++y) m.coords.push_back({static_cast<int16_t>(40 + y), 3});
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const int a = vertex(x, y), b = vertex(x + 1, y), c = vertex(x + 1, y + 1),
                      d = vertex(x, y + 1);
            int ta = a, tb = b, tc = c, td = d;
            if (x == cols / 2) ta = seam + y, td = seam + y + 1;  // a seam down one column
            if (rng() % 2) {
                m.tris.push_back(Tri(a, b, c, ta, tb, tc));
                m.tris.push_back(Tri(a, c, d, ta, tc, td));
            } else {
                m.tris.push_back(Tri(a, b, d, ta, tb, td));
                m.tris.push_back(Tri(b, c, d, tb, tc, td));
            }
        }
    }
    for (size_t i = 0; i < m.tris.size(); ++i) {
        if (rng() % 7 == 0) std::swap(m.tris[i], m.tris[rng() % m.tris.size()]);
        if (rng() % 11 == 0) std::swap(m.tris[i].Vertex[1], m.tris[i].Vertex[2]);
    }
    return m;
}

TEST(GlCommands, RandomMeshesDecodeToTheirTrianglesAndMatchThePlainBuilder) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 60; ++round) {
        const Mesh m =
            RandomGrid(rng, 1 + static_cast<int>(rng() % 12), 1 + static_cast<int>(rng() % 9));
        SCOPED_TRACE(round);
        const std::vector<int32_t> out = m.Build();
        EXPECT_EQ(Decode(out), Expected(m));
        EXPECT_EQ(out, PlainBuild(m));
    }
}

TEST(GlCommands, TheLargestModelFitsTheBuffer) {
    // 4096 triangles that share nothing: every one a group of its own.
    Mesh m;
    for (int i = 0; i < MaxTriangles; ++i) {
        m.tris.push_back(
            Tri(3 * i % 2048, (3 * i + 1) % 2048, (3 * i + 2) % 2048, 3 * i, 3 * i + 1, 3 * i + 2));
        for (int k = 0; k < 3; ++k)
            m.coords.push_back({static_cast<int16_t>(i % 256), static_cast<int16_t>(k)});
    }
    const std::vector<int32_t> out = m.Build();
    EXPECT_EQ(out.size(), static_cast<size_t>(10 * MaxTriangles + 1));
    EXPECT_EQ(Decode(out), Expected(m));
}

}  // namespace
}  // namespace varp
