// Triangle meshes built from lathed pieces, and their packing into MD2 files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "sample/Geometry.h"

namespace varp::sample {

// A rectangle of the skin, in texels: columns x..x+w-1, rows y..y+h-1.
struct SkinRect {
    int x = 0, y = 0, w = 1, h = 1;
};

struct MeshCorner {
    int vertex = 0;
    SkinCoord st;
};

// Corners in the order the model stores them: clockwise seen from outside the solid.
struct MeshTriangle {
    MeshCorner corner[3];
};

struct Mesh {
    std::vector<Point3> rest;  // each vertex in the rest pose, model units
    std::vector<int> bone;     // the bone that carries each vertex
    std::vector<MeshTriangle> triangles;
};

// One cross-section of a lathed piece: an ellipse (rx along x, ry along y) at height z,
// centred on (cx, cy).
struct Ring {
    double z = 0, rx = 0, ry = 0, cx = 0, cy = 0;
};

// A closed piece turned about a vertical axis: rings from top to bottom, each cap either a
// single pole point or nothing (an open end). Its skin is one wrap-around rectangle: s runs
// once around the piece starting at the back (-x), over the right side (-y) to the front
// (+x) at the middle column; t runs from the top pole to the bottom pole.
struct Lathe {
    int segments = 8;
    bool boxy = false;  // four flat sides facing the axes instead of a rounded section
    bool topPole = true, bottomPole = true;
    Point3 top, bottom;  // pole positions, when present
    std::vector<Ring> rings;
    SkinRect skin;
    int bone = 0;
};

// Appends the piece to the mesh; its vertices are shared only within the piece.
void AddLathe(Mesh& mesh, const Lathe& piece);

// An ellipsoid with `rings` cross-sections between its poles.
Lathe Ellipsoid(Point3 centre, double rx, double ry, double rz, int segments, int rings);

// One animation frame: a name and the position of every mesh vertex.
struct NamedFrame {
    std::string name;
    std::vector<Point3> positions;
};

// Lays out a whole MD2 file with the project's writer: distinct skin coordinates in order of
// first use, and each frame quantised to bytes over its own bounding box.
std::vector<uint8_t> PackMd2(const Mesh& mesh, const std::vector<NamedFrame>& frames,
                             const std::vector<std::string>& skinNames, int skinWidth,
                             int skinHeight);

}  // namespace varp::sample
