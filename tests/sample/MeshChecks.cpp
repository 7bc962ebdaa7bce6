// Geometry checks for the sample tests, written from the camera and winding rules alone.
#include "sample/MeshChecks.h"

#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace varp::test {

namespace {

int Root(std::vector<int>& parent, int v) {
    while (parent[static_cast<size_t>(v)] != v) {
        parent[static_cast<size_t>(v)] =
            parent[static_cast<size_t>(parent[static_cast<size_t>(v)])];
        v = parent[static_cast<size_t>(v)];
    }
    return v;
}

std::map<std::pair<int, int>, int> EdgeUses(const Workspace& ws, const std::vector<int>& tris) {
    std::map<std::pair<int, int>, int> uses;
    for (int i : tris) {
        const ModelTriangle& t = ws.Triangles[i];
        for (int k = 0; k < 3; ++k) ++uses[{t.Vertex[k], t.Vertex[(k + 1) % 3]}];
    }
    return uses;
}

struct CameraPoint {
    float x, y, z;
};

// Eye (100, 0, 0), target at the origin: psi = -atan2(0, -100), theta = 0, Distance 100.
CameraPoint ToDefaultCamera(const Vec3& v) {
    const double psi = -std::atan2(0.0, -100.0);
    const double c1 = std::cos(psi), s1 = std::sin(psi);
    const double theta = -std::atan2(0.0, c1 * -100.0);
    const double c2 = std::cos(theta), s2 = std::sin(theta);
    const double a = c1 * v[0] - s1 * v[1];
    return {static_cast<float>(s1 * v[0] + c1 * v[1]), static_cast<float>(s2 * a + c2 * v[2]),
            static_cast<float>(c2 * a - s2 * v[2] + 100.0)};
}

}  // namespace

std::vector<std::vector<int>> ConnectedPieces(const Workspace& ws) {
    std::vector<int> parent(static_cast<size_t>(ws.NumVertices));
    std::iota(parent.begin(), parent.end(), 0);
    for (int i = 0; i < ws.NumTriangles; ++i) {
        const ModelTriangle& t = ws.Triangles[i];
        for (int k = 1; k < 3; ++k) {
            parent[static_cast<size_t>(Root(parent, t.Vertex[k]))] = Root(parent, t.Vertex[0]);
        }
    }
    std::map<int, std::vector<int>> groups;
    for (int i = 0; i < ws.NumTriangles; ++i) {
        groups[Root(parent, ws.Triangles[i].Vertex[0])].push_back(i);
    }
    std::vector<std::vector<int>> pieces;
    for (auto& [root, tris] : groups) pieces.push_back(std::move(tris));
    return pieces;
}

int UnpairedEdges(const Workspace& ws, const std::vector<int>& triangles) {
    const auto uses = EdgeUses(ws, triangles);
    int bad = 0;
    for (const auto& [edge, count] : uses) {
        const auto reverse = uses.find({edge.second, edge.first});
        if (count != 1 || reverse == uses.end() || reverse->second != 1) ++bad;
    }
    return bad;
}

int RepeatedEdges(const Workspace& ws) {
    int bad = 0;
    for (const auto& [edge, count] : EdgeUses(ws, AllTriangles(ws))) bad += count > 1;
    return bad;
}

double SignedVolume(const ModelFrame& frame, const Workspace& ws,
                    const std::vector<int>& triangles) {
    double sum = 0;
    for (int i : triangles) {
        const ModelTriangle& t = ws.Triangles[i];
        const Vec3& p0 = frame.Vertices[static_cast<size_t>(t.Vertex[0])];
        const Vec3& p1 = frame.Vertices[static_cast<size_t>(t.Vertex[1])];
        const Vec3& p2 = frame.Vertices[static_cast<size_t>(t.Vertex[2])];
        const double cx = double(p1[1]) * p2[2] - double(p1[2]) * p2[1];
        const double cy = double(p1[2]) * p2[0] - double(p1[0]) * p2[2];
        const double cz = double(p1[0]) * p2[1] - double(p1[1]) * p2[0];
        sum += p0[0] * cx + p0[1] * cy + p0[2] * cz;
    }
    return sum;
}

std::vector<int> AllTriangles(const Workspace& ws) {
    std::vector<int> all(static_cast<size_t>(ws.NumTriangles));
    std::iota(all.begin(), all.end(), 0);
    return all;
}

double DefaultCameraDet(const ModelFrame& frame, const ModelTriangle& tri) {
    CameraPoint p[3];
    for (int k = 0; k < 3; ++k) {
        p[k] = ToDefaultCamera(frame.Vertices[static_cast<size_t>(tri.Vertex[k])]);
    }
    const double x0 = p[0].x, y0 = p[0].y, z0 = p[0].z, x1 = p[1].x, y1 = p[1].y, z1 = p[1].z;
    return (z0 * y1 - y0 * z1) * p[2].x + (x0 * z1 - z0 * x1) * p[2].y +
           (y0 * x1 - x0 * y1) * p[2].z;
}

std::array<int, 2> DefaultCameraProject(const Vec3& v, int width, int height) {
    const CameraPoint c = ToDefaultCamera(v);
    const double s = width <= height ? width : height;
    const double half = 33.0 * 0.5 * 3.141592 * 0.005555555555555556;
    const double k = s / ((std::sin(half) * 100.0 + std::sin(half) * 100.0) / std::cos(half));
    const double w = c.z / 100.0;
    return {static_cast<int>(std::trunc(width / 2 - (c.x / w) * k)),
            static_cast<int>(std::trunc(height / 2 + (c.y / w) * k))};
}

}  // namespace varp::test
