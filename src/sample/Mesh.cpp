// Lathed pieces and MD2 packing for the demo meshes.
#include "sample/Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

#include "formats/Md2Format.h"
#include "formats/Md2Layout.h"

namespace varp::sample {

namespace {

SkinCoord CoordAt(const SkinRect& r, double u, double v) {
    return {static_cast<int16_t>(r.x + std::lround(u * (r.w - 1))),
            static_cast<int16_t>(r.y + std::lround(v * (r.h - 1)))};
}

// Where a ring's j-th point lies. Angles start at the back so that the front (+x) falls on the
// middle column of the wrap; they grow counter-clockwise seen from above.
Point3 RingPoint(const Ring& ring, int j, int segments, bool boxy) {
    const double phi = Pi + 2.0 * Pi * j / segments;
    double c = std::cos(phi), s = std::sin(phi);
    if (boxy) {
        // Push the direction out onto the square: flat sides, sharp corners.
        const double m = std::max(std::abs(c), std::abs(s));
        c /= m;
        s /= m;
    }
    return {ring.cx + ring.rx * c, ring.cy + ring.ry * s, ring.z};
}

// Texture rows follow the length of the profile, so flat caps and long sides get skin in
// proportion to their size.
std::vector<double> ProfileRows(const Lathe& piece) {
    std::vector<std::pair<double, double>> profile;  // (radius, z)
    if (piece.topPole) profile.emplace_back(0.0, piece.top.z);
    for (const Ring& r : piece.rings) profile.emplace_back((r.rx + r.ry) * 0.5, r.z);
    if (piece.bottomPole) profile.emplace_back(0.0, piece.bottom.z);
    std::vector<double> rows(profile.size(), 0.0);
    for (size_t i = 1; i < profile.size(); ++i) {
        const double dr = profile[i].first - profile[i - 1].first;
        const double dz = profile[i].second - profile[i - 1].second;
        rows[i] = rows[i - 1] + std::sqrt(dr * dr + dz * dz);
    }
    const double total = rows.back() > 0 ? rows.back() : 1.0;
    for (double& r : rows) r /= total;
    return rows;
}

}  // namespace

void AddLathe(Mesh& mesh, const Lathe& piece) {
    const int n = piece.segments;
    const std::vector<double> rows = ProfileRows(piece);
    const int firstRow = piece.topPole ? 1 : 0;
    const int base = static_cast<int>(mesh.rest.size());
    auto add = [&](Point3 p) {
        mesh.rest.push_back(p);
        mesh.bone.push_back(piece.bone);
    };

    const int top = base;
    if (piece.topPole) add(piece.top);
    const int ringBase = static_cast<int>(mesh.rest.size());
    for (const Ring& ring : piece.rings) {
        for (int j = 0; j < n; ++j) add(RingPoint(ring, j, n, piece.boxy));
    }
    const int bottom = static_cast<int>(mesh.rest.size());
    if (piece.bottomPole) add(piece.bottom);

    // Column j == n is the seam: the same vertex as column 0 with the wrap's last column.
    auto corner = [&](int ring, int j) {
        const double v = rows[static_cast<size_t>(firstRow + ring)];
        return MeshCorner{ringBase + ring * n + j % n,
                          CoordAt(piece.skin, static_cast<double>(j) / n, v)};
    };
    const int numRings = static_cast<int>(piece.rings.size());
    if (piece.topPole) {
        for (int j = 0; j < n; ++j) {
            const MeshCorner pole{top, CoordAt(piece.skin, (j + 0.5) / n, 0.0)};
            mesh.triangles.push_back({{pole, corner(0, j + 1), corner(0, j)}});
        }
    }
    for (int i = 0; i + 1 < numRings; ++i) {
        for (int j = 0; j < n; ++j) {
            mesh.triangles.push_back({{corner(i, j), corner(i, j + 1), corner(i + 1, j)}});
            mesh.triangles.push_back({{corner(i, j + 1), corner(i + 1, j + 1), corner(i + 1, j)}});
        }
    }
    if (piece.bottomPole) {
        for (int j = 0; j < n; ++j) {
            const MeshCorner pole{bottom, CoordAt(piece.skin, (j + 0.5) / n, 1.0)};
            mesh.triangles.push_back(
                {{pole, corner(numRings - 1, j), corner(numRings - 1, j + 1)}});
        }
    }
}

Lathe Ellipsoid(Point3 centre, double rx, double ry, double rz, int segments, int rings) {
    Lathe piece;
    piece.segments = segments;
    piece.top = {centre.x, centre.y, centre.z + rz};
    piece.bottom = {centre.x, centre.y, centre.z - rz};
    for (int i = 1; i <= rings; ++i) {
        const double theta = Pi * i / (rings + 1);
        piece.rings.push_back({centre.z + rz * std::cos(theta), rx * std::sin(theta),
                               ry * std::sin(theta), centre.x, centre.y});
    }
    return piece;
}

namespace {

// One frame record: scale, translate, name, then every vertex as bytes over the frame's own
// bounding box (the normal index is left 0).
void PackFrame(const NamedFrame& frame, uint8_t* out) {
    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
    for (const Point3& p : frame.positions) {
        const double c[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], c[a]);
            hi[a] = std::max(hi[a], c[a]);
        }
    }
    float scale[3], translate[3];
    for (int a = 0; a < 3; ++a) {
        translate[a] = static_cast<float>(lo[a]);
        scale[a] = static_cast<float>((hi[a] - lo[a]) / 255.0);
        if (!(scale[a] > 0.0f)) scale[a] = 1.0f;  // a flat axis: every byte is 0
        md2::PutFloat(out + 4 * a, scale[a]);
        md2::PutFloat(out + 12 + 4 * a, translate[a]);
    }
    std::memcpy(out + 24, frame.name.data(), std::min(frame.name.size(), md2::FrameNameSize - 1));
    uint8_t* v = out + md2::FrameHeaderSize;
    for (const Point3& p : frame.positions) {
        const double c[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            const long b = std::lround((c[a] - translate[a]) / scale[a]);
            v[a] = static_cast<uint8_t>(std::clamp(b, 0L, 255L));
        }
        v[3] = 0;
        v += md2::PackedVertexSize;
    }
}

}  // namespace

std::vector<uint8_t> PackMd2(const Mesh& mesh, const std::vector<NamedFrame>& frames,
                             const std::vector<std::string>& skinNames, int skinWidth,
                             int skinHeight) {
    std::vector<SkinCoord> coords;
    std::map<std::pair<int, int>, int16_t> coordIndex;
    std::vector<ModelTriangle> triangles(mesh.triangles.size());
    for (size_t i = 0; i < mesh.triangles.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const MeshCorner& c = mesh.triangles[i].corner[k];
            const auto [it, added] = coordIndex.try_emplace(std::pair<int, int>(c.st.s, c.st.t),
                                                            static_cast<int16_t>(coords.size()));
            if (added) coords.push_back(c.st);
            triangles[i].Vertex[k] = static_cast<int16_t>(c.vertex);
            triangles[i].TexCoord[k] = it->second;
            triangles[i].CornerST[k] = c.st;
        }
    }

    const int numVertices = static_cast<int>(mesh.rest.size());
    const size_t frameSize = md2::FrameHeaderSize + md2::PackedVertexSize * mesh.rest.size();
    std::vector<uint8_t> frameBytes(frameSize * frames.size(), 0);
    for (size_t f = 0; f < frames.size(); ++f) PackFrame(frames[f], &frameBytes[f * frameSize]);

    Md2Parts parts;
    parts.skinWidth = skinWidth;
    parts.skinHeight = skinHeight;
    parts.frameSize = static_cast<int32_t>(frameSize);
    parts.numVertices = numVertices;
    parts.numFrames = static_cast<int32_t>(frames.size());
    parts.skinNames = skinNames;
    parts.coords = coords.data();
    parts.numCoords = static_cast<int>(coords.size());
    parts.triangles = triangles.data();
    parts.numTriangles = static_cast<int>(triangles.size());
    parts.frames = ByteView(frameBytes);
    return LayOutMd2(parts);
}

}  // namespace varp::sample
