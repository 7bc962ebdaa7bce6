// A slow, literal renderer of the 3D view for golden-image comparisons.
#pragma once

#include <cstdint>
#include <vector>

#include "app/Workspace.h"
#include "views/iso/Camera.h"

namespace varp::test {

struct ReferenceImage {
    std::vector<uint8_t> Colour;
    std::vector<uint16_t> Depth;
    std::vector<uint32_t> Pick;
    int DroppedAtNearPlane = 0;  // triangles refused for a corner nearer than the plane
    int Culled = 0;              // triangles refused as facing away
};

// Renders kind 1 (texel offsets) or 5 (triangle indices and outlines) of the Workspace's
// current frame and skin, seen through the camera's Eye, Target and FieldOfView, into a W x H
// bottom-up image (W a multiple of 4).
ReferenceImage ReferenceRender(const Workspace& ws, const Camera& camera, int W, int H, int kind);

}  // namespace varp::test
