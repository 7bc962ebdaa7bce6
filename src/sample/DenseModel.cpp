// A denser model for benchmarks and tests: a torus cut to an exact number of triangles.
#include <algorithm>
#include <cmath>

#include "sample/Mesh.h"
#include "sample/Sample.h"
#include "sample/SkinLayout.h"

namespace varp::sample {

std::vector<uint8_t> DenseModelBytes(int triangles) {
    const int wanted = std::clamp(triangles, 1, MaxTriangles);
    // Sixteen sections around the tube; enough of them around the ring for the triangles
    // (128 at most, so 2048 vertices). The last ring of quads may be cut part way.
    constexpr int Around = 16;
    const int rings = std::max(3, (wanted + 2 * Around - 1) / (2 * Around));
    constexpr double Major = 16.0, Minor = 6.0;

    Mesh mesh;
    for (int i = 0; i < rings; ++i) {
        const double a = 2.0 * Pi * i / rings;
        for (int j = 0; j < Around; ++j) {
            const double b = 2.0 * Pi * j / Around;
            const double reach = Major + Minor * std::cos(b);
            mesh.rest.push_back({reach * std::cos(a), reach * std::sin(a), Minor * std::sin(b)});
            mesh.bone.push_back(0);
        }
    }
    // The whole skin wraps once around the ring (s) and once around the tube (t).
    const SkinRect skin{0, 0, layout::SkinSide, layout::SkinSide};
    auto corner = [&](int i, int j) {
        const int s =
            skin.x + static_cast<int>(std::lround(static_cast<double>(i) / rings * (skin.w - 1)));
        const int t =
            skin.y + static_cast<int>(std::lround(static_cast<double>(j) / Around * (skin.h - 1)));
        return MeshCorner{(i % rings) * Around + j % Around,
                          {static_cast<int16_t>(s), static_cast<int16_t>(t)}};
    };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < Around; ++j) {
            mesh.triangles.push_back({{corner(i, j), corner(i, j + 1), corner(i + 1, j)}});
            mesh.triangles.push_back({{corner(i + 1, j), corner(i, j + 1), corner(i + 1, j + 1)}});
        }
    }
    mesh.triangles.resize(static_cast<size_t>(wanted));

    // Two frames: the torus at rest and squashed, so frame changes show.
    std::vector<NamedFrame> frames = {{"dense01", mesh.rest}, {"dense02", mesh.rest}};
    for (Point3& p : frames[1].positions) {
        p.x *= 1.1;
        p.y *= 1.1;
        p.z *= 0.7;
    }
    return PackMd2(mesh, frames, {"models/dense/skin.pcx"}, layout::SkinSide, layout::SkinSide);
}

}  // namespace varp::sample
