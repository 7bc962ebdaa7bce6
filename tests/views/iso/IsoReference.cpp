// The reference renderer: the documented steps written out one triangle at a time, with no
// code shared with the pane's renderer or the camera. Only the rasterizer's fillers and line
// primitives are called; they are checked against their own reference.
#include "views/iso/IsoReference.h"

#include <algorithm>
#include <cmath>

#include "raster/Raster.h"
#include "views/OutlineColours.h"

namespace varp::test {

namespace {

struct Corner {
    float x, y, z;  // camera space: x to the left, y up, z away from the eye
};

}  // namespace

ReferenceImage ReferenceRender(const Workspace& ws, const Camera& camera, int W, int H, int kind) {
    ReferenceImage img;
    const size_t pixels = static_cast<size_t>(W) * static_cast<size_t>(H);
    img.Colour.assign(pixels, ws.BackgroundColour);
    img.Depth.assign(pixels, 0xFFFF);
    img.Pick.assign(pixels, 0xFFFFFFFFu);
    if (ws.CurrentFrame == nullptr || ws.CurrentSkin == nullptr) return img;

    // The view quantities.
    const double dx = double(camera.Target[0]) - double(camera.Eye[0]);
    const double dy = double(camera.Target[1]) - double(camera.Eye[1]);
    const double dz = double(camera.Target[2]) - double(camera.Eye[2]);
    const double psi = -std::atan2(dy, dx);
    const double c1 = std::cos(psi), s1 = std::sin(psi);
    const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double half = double(camera.FieldOfView) * 0.5 * 3.141592 * 0.005555555555555556;
    const double theta = -std::atan2(dz, c1 * dx - s1 * dy);
    const double c2 = std::cos(theta), s2 = std::sin(theta);
    const double smaller = W <= H ? W : H;
    const double k =
        smaller / ((std::sin(half) * distance + std::sin(half) * distance) / std::cos(half));
    const double cx = W / 2, cy = H / 2;

    auto toCamera = [&](int vertex) {
        const Vec3& v = ws.CurrentFrame->Vertices[static_cast<size_t>(vertex)];
        const double px = double(v[0]) - double(camera.Target[0]);
        const double py = double(v[1]) - double(camera.Target[1]);
        const double pz = double(v[2]) - double(camera.Target[2]);
        const double a = c1 * px - s1 * py;
        return Corner{float(s1 * px + c1 * py), float(s2 * a + c2 * pz),
                      float(c2 * a - s2 * pz + distance)};
    };
    auto project = [&](const Corner& c, int32_t* x, int32_t* y) {
        const double w = double(c.z) / distance;
        *x = int32_t(std::trunc(cx - (double(c.x) / w) * k));
        *y = int32_t(std::trunc(cy + (double(c.y) / w) * k));
    };

    // Which triangles are drawn, and the depth range of their corners.
    std::vector<int> visible;
    double minZ = 9999999999.0, maxZ = -9999999999.0;
    for (int t = 0; t < ws.NumTriangles; ++t) {
        Corner p[3];
        for (int j = 0; j < 3; ++j) p[j] = toCamera(ws.Triangles[t].Vertex[j]);
        if (p[0].z < 0.1 || p[1].z < 0.1 || p[2].z < 0.1) {
            ++img.DroppedAtNearPlane;
            continue;
        }
        const double det = (double(p[0].z) * p[1].y - double(p[0].y) * p[1].z) * p[2].x +
                           (double(p[0].x) * p[1].z - double(p[0].z) * p[1].x) * p[2].y +
                           (double(p[0].y) * p[1].x - double(p[0].x) * p[1].y) * p[2].z;
        if (!(det < 0.0)) {
            ++img.Culled;
            continue;
        }
        visible.push_back(t);
        for (const Corner& c : p) {
            minZ = std::min(minZ, double(c.z));
            maxZ = std::max(maxZ, double(c.z));
        }
    }
    if (visible.empty()) return img;
    const double scale = 16384.0 / (maxZ - minZ);

    RasterTarget target;
    target.Colour = img.Colour.data();
    target.Depth = img.Depth.data();
    target.Pick = img.Pick.data();
    target.Pitch = W;
    target.Rows = H;
    target.ClipLeft = 0;
    target.ClipRight = W - 1;
    target.ClipTop = 0;
    target.ClipBottom = H - 1;
    EdgeTable edges;
    target.Edges = &edges;

    for (int t : visible) {
        const ModelTriangle& tri = ws.Triangles[t];
        TexDepthVertex v[4];
        for (int j = 0; j < 3; ++j) {
            const Corner c = toCamera(tri.Vertex[j]);
            const SkinCoord st = ws.TexCoords[tri.TexCoord[j]];
            const int depth = maxZ == minZ ? 0 : int(std::trunc((double(c.z) - minZ) * scale));
            project(c, &v[j].x, &v[j].y);
            v[j].u = st.s * 64;
            v[j].v = st.t * 64;
            v[j].z = depth * 64;
        }
        v[3] = v[0];
        if (kind == 1) {
            DrawTexturedPolygonDepthPick(target, v, 3, ws.CurrentSkin->Pixels.data(), ws.SkinWidth);
        } else {
            DrawTexturedPolygonDepthId(target, v, 3, ws.CurrentSkin->Pixels.data(), ws.SkinWidth,
                                       uint32_t(t));
        }
    }
    if (kind != 5) return img;

    // Outlines: unselected, then selected only, then grabbed.
    const OutlineColours outline = OutlineColoursOf(ws.CurrentSkin->Palette, ws.PaintColour);
    for (int pass = 0; pass < 3; ++pass) {
        for (int t : visible) {
            const uint32_t flags = ws.Triangles[t].Flags;
            uint8_t colour;
            if (pass == 0 && flags == 0) {
                colour = ws.PaintColour;
            } else if (pass == 1 && flags == 1) {
                colour = outline.selected;
            } else if (pass == 2 && (flags & 2) != 0) {
                colour = outline.grabbed;
            } else {
                continue;
            }
            for (int e = 0; e < 3; ++e) {
                const Corner a = toCamera(ws.Triangles[t].Vertex[e]);
                const Corner b = toCamera(ws.Triangles[t].Vertex[(e + 1) % 3]);
                float segment[6] = {a.x, a.y, a.z, b.x, b.y, b.z};
                if (!ClipSegmentNear(segment)) continue;
                int32_t line[4];
                project({segment[0], segment[1], segment[2]}, &line[0], &line[1]);
                project({segment[3], segment[4], segment[5]}, &line[2], &line[3]);
                if (ClipLine(target, line)) DrawLineOverId(target, line, colour, uint32_t(t));
            }
        }
    }
    return img;
}

}  // namespace varp::test
