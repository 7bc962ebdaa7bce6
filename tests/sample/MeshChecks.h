// Geometry checks on a loaded model: closed pieces, winding, volume and the default camera.
#pragma once

#include <array>
#include <vector>

#include "app/Workspace.h"

namespace varp::test {

// Groups of triangles that share vertices (one per separately built piece).
std::vector<std::vector<int>> ConnectedPieces(const Workspace& ws);

// Directed vertex edges that appear other than exactly once with their reverse exactly once;
// 0 for a set of closed, consistently wound surfaces.
int UnpairedEdges(const Workspace& ws, const std::vector<int>& triangles);

// Directed vertex edges used by more than one triangle; 0 when no two neighbours disagree about
// the winding (open surfaces included).
int RepeatedEdges(const Workspace& ws);

// Sum over the triangles of P0 . (P1 x P2): six times the enclosed volume, negative when the
// corners run clockwise seen from outside.
double SignedVolume(const ModelFrame& frame, const Workspace& ws,
                    const std::vector<int>& triangles);

std::vector<int> AllTriangles(const Workspace& ws);

// The view's camera with the eye at (100, 0, 0) looking at the origin: the determinant of the
// back-face rule for triangle `i` of `frame` (negative means it faces the eye).
double DefaultCameraDet(const ModelFrame& frame, const ModelTriangle& tri);

// Where a model point lands in a W x H buffer under the default 33-degree camera (column, row
// from the bottom).
std::array<int, 2> DefaultCameraProject(const Vec3& p, int width, int height);

}  // namespace varp::test
