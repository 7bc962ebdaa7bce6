// Test files built by the system's own MD2 layout and PCX encoder.
#include "support/Md2Files.h"

#include <algorithm>

#include "formats/Md2Format.h"
#include "formats/Md2Layout.h"
#include "formats/Pcx.h"

namespace varp::test {

TestModel SquareModel() {
    TestModel m;
    m.coords = {{0, 0}, {7, 0}, {7, 7}, {0, 7}};
    m.triangles = {Tri(0, 1, 2, 0, 1, 2), Tri(0, 2, 3, 0, 2, 3)};
    m.numVertices = 4;
    TestFrame f;
    f.name = "base01";
    f.scale[0] = 0.5f;
    f.translate[2] = -4.0f;
    f.vertices = {{{0, 0, 0}}, {{0, 10, 0}}, {{0, 10, 10}}, {{0, 0, 10}}};
    m.frames.push_back(f);
    return m;
}

ModelTriangle Tri(int v0, int v1, int v2, int t0, int t1, int t2) {
    ModelTriangle t;
    t.Vertex[0] = static_cast<int16_t>(v0);
    t.Vertex[1] = static_cast<int16_t>(v1);
    t.Vertex[2] = static_cast<int16_t>(v2);
    t.TexCoord[0] = static_cast<int16_t>(t0);
    t.TexCoord[1] = static_cast<int16_t>(t1);
    t.TexCoord[2] = static_cast<int16_t>(t2);
    return t;
}

std::vector<uint8_t> MakeMd2(const TestModel& m) {
    const size_t frameSize = md2::FrameHeaderSize + md2::PackedVertexSize * m.numVertices;
    std::vector<uint8_t> frames(frameSize * m.frames.size(), 0);
    for (size_t f = 0; f < m.frames.size(); ++f) {
        uint8_t* r = frames.data() + f * frameSize;
        for (int c = 0; c < 3; ++c) {
            md2::PutFloat(r + 4 * c, m.frames[f].scale[c]);
            md2::PutFloat(r + 12 + 4 * c, m.frames[f].translate[c]);
        }
        std::copy_n(m.frames[f].name.begin(), std::min<size_t>(m.frames[f].name.size(), 16),
                    r + 24);
        for (size_t v = 0;
             v < m.frames[f].vertices.size() && v < static_cast<size_t>(m.numVertices); ++v) {
            for (int c = 0; c < 3; ++c) r[40 + 4 * v + c] = m.frames[f].vertices[v][c];
        }
    }
    Md2Parts p;
    md2::PutInt(p.identAndVersion + 4, m.version);
    p.skinWidth = m.skinWidth;
    p.skinHeight = m.skinHeight;
    p.frameSize = static_cast<int32_t>(frameSize);
    p.numVertices = m.numVertices;
    p.numFrames = static_cast<int32_t>(m.frames.size());
    p.skinNames = m.skins;
    p.coords = m.coords.data();
    p.numCoords = static_cast<int>(m.coords.size());
    p.triangles = m.triangles.data();
    p.numTriangles = static_cast<int>(m.triangles.size());
    p.frames = ByteView(frames);
    return LayOutMd2(p);
}

std::vector<uint8_t> MakePcx(int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y * width + x)] = static_cast<uint8_t>(x + 3 * y);
        }
    }
    uint8_t palette[768];
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = static_cast<uint8_t>(i);
        palette[3 * i + 1] = static_cast<uint8_t>(255 - i);
        palette[3 * i + 2] = static_cast<uint8_t>(i / 2);
    }
    return EncodePcx(pixels.data(), width, height, palette);
}

}  // namespace varp::test
