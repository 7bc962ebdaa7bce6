// Small MD2 and PCX files for tests, made with the system's own writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"

namespace varp::test {

struct TestFrame {
    std::string name;
    float scale[3] = {1, 1, 1};
    float translate[3] = {0, 0, 0};
    std::vector<std::array<uint8_t, 3>> vertices;
};

struct TestModel {
    int32_t version = 8;
    int32_t skinWidth = 8;
    int32_t skinHeight = 8;
    std::vector<std::string> skins;
    std::vector<SkinCoord> coords;
    std::vector<ModelTriangle> triangles;  // Vertex and TexCoord are written
    int32_t numVertices = 0;
    std::vector<TestFrame> frames;
};

// A square of two triangles sharing an edge, 4 vertices, 4 coordinates, one frame "base01",
// an 8 x 8 skin, no skin names.
TestModel SquareModel();

std::vector<uint8_t> MakeMd2(const TestModel& model);

ModelTriangle Tri(int v0, int v1, int v2, int t0, int t1, int t2);

// A PCX of the given size whose texel (x, y) is (x + 3y) mod 256 and whose palette entry i is
// (i, 255 - i, i / 2).
std::vector<uint8_t> MakePcx(int width, int height);

}  // namespace varp::test
