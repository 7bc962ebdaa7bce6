// Strips and fans: the exact list for small meshes, and room for the largest model.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/GlCommands.h"
#include "support/Md2Files.h"

namespace varp {
namespace {

using test::Tri;

int32_t Word(float f) {
    int32_t w;
    std::memcpy(&w, &f, 4);
    return w;
}

struct Mesh {
    std::vector<ModelTriangle> tris;
    std::vector<SkinCoord> coords;
    int width = 256, height = 64;
    std::vector<int32_t> Build() const {
        return BuildGlCommands(tris.data(), static_cast<int>(tris.size()), coords.data(), width,
                               height);
    }
};

// Each group's signed length (negative: a fan) followed by its vertex indices.
std::vector<int> Shape(const std::vector<int32_t>& w) {
    std::vector<int> shape;
    size_t i = 0;
    for (; w[i] != 0; i += 1 + 3 * static_cast<size_t>(std::abs(w[i]))) {
        shape.push_back(w[i]);
        for (int k = 0; k < std::abs(w[i]); ++k)
            shape.push_back(w[i + 3 + 3 * static_cast<size_t>(k)]);
    }
    EXPECT_EQ(i + 1, w.size());
    return shape;
}

TEST(GlCommands, SmallMeshesGiveTheFirstLongestRunFromEachFreeTriangle) {
    const std::vector<SkinCoord> grid = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}};
    const std::pair<Mesh, std::vector<int>> cases[] = {
        {{}, {}},
        {{{Tri(5, 6, 7, 0, 1, 2)}, grid}, {-3, 5, 6, 7}},
        // Triangles around a corner, with the same points on their shared edges: a fan beats
        // the strip as long; another point on the shared edge keeps them apart.
        {{{Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3)}, grid}, {-4, 0, 1, 2, 3}},
        {{{Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3), Tri(0, 3, 4, 0, 3, 4)}, grid},
         {-5, 0, 1, 2, 3, 4}},
        {{{Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 4, 3)}, grid}, {-3, 0, 1, 2, -3, 0, 2, 3}},
        // A ribbon of four, no vertex common to all: one strip, its turns alternating.
        {{{Tri(0, 1, 2, 0, 3, 1), Tri(2, 1, 3, 1, 3, 2), Tri(2, 3, 4, 1, 2, 4),
           Tri(4, 3, 5, 4, 2, 5)},
          grid},
         {6, 0, 1, 2, 3, 4, 5}},
    };
    for (const auto& [mesh, shape] : cases) EXPECT_EQ(Shape(mesh.Build()), shape);

    // Coordinates are texel centres over the skin's own width and height.
    const Mesh lone{{Tri(5, 6, 7, 0, 1, 2)}, {{0, 0}, {255, 0}, {3, 4}}};
    EXPECT_EQ(lone.Build(),
              (std::vector<int32_t>{-3, Word(0.5f / 256), Word(0.5f / 64), 5, Word(255.5f / 256),
                                    Word(0.5f / 64), 6, Word(3.5f / 256), Word(4.5f / 64), 7, 0}));
}

TEST(GlCommands, TheLargestModelFillsTheBufferExactly) {
    // 4096 triangles that share nothing: every one a fan of its own.
    Mesh m;
    for (int i = 0; i < MaxTriangles; ++i) {
        m.tris.push_back(
            Tri(3 * i % 2048, (3 * i + 1) % 2048, (3 * i + 2) % 2048, 3 * i, 3 * i + 1, 3 * i + 2));
        for (int k = 0; k < 3; ++k)
            m.coords.push_back({static_cast<int16_t>(i % 256), static_cast<int16_t>(k)});
    }
    const std::vector<int> shape = Shape(m.Build());
    ASSERT_EQ(shape.size(), 4u * MaxTriangles);
    EXPECT_EQ(std::vector<int>(shape.end() - 4, shape.end()),
              (std::vector<int>{-3, 2045, 2046, 2047}));
}

}  // namespace
}  // namespace varp
