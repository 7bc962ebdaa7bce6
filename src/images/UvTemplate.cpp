// The UV template: outlines drawn by the rasterizer's line drawer into a mask, then coloured.
#include "images/UvTemplate.h"

#include <algorithm>

#include "images/Pictures.h"
#include "raster/Raster.h"

namespace varp {

namespace {

// Values of the mask: which outline covers the pixel.
constexpr uint8_t NoOutline = 0;
constexpr uint8_t PlainOutline = 1;
constexpr uint8_t SelectedOutline = 2;

void DrawOutlines(const Workspace& ws, int scale, bool selected, const RasterTarget& target) {
    const int numTriangles = std::clamp(int{ws.NumTriangles}, 0, MaxTriangles);
    const uint8_t value = selected ? SelectedOutline : PlainOutline;
    for (int i = 0; i < numTriangles; ++i) {
        const ModelTriangle& triangle = ws.Triangles[i];
        if (((triangle.Flags & Selected) != 0) != selected) continue;
        int32_t x[3], y[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = triangle.CornerST[k].s * scale + scale / 2;
            y[k] = triangle.CornerST[k].t * scale + scale / 2;
        }
        for (int k = 0; k < 3; ++k) {
            const int next = k == 2 ? 0 : k + 1;
            int32_t line[4] = {x[k], y[k], x[next], y[next]};
            if (ClipLine(target, line)) DrawLine(target, line, value);
        }
    }
}

}  // namespace

RgbaPicture DrawUvTemplate(const Workspace& ws, const SkinImage* skin, int scale,
                           const TemplateColours& colours) {
    const int width = ws.SkinWidth, height = ws.SkinHeight;
    RgbaPicture out;
    if (skin != nullptr && skin->Width == width && skin->Height == height &&
        skin->Pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height)) {
        out = ColoursOf(skin->Pixels.data(), width, height, skin->Palette.data(), scale);
    } else {
        out.Width = width * scale;
        out.Height = height * scale;
        out.Pixels.assign(static_cast<size_t>(out.Width) * static_cast<size_t>(out.Height),
                          colours.Background);
    }
    std::vector<uint8_t> mask(out.Pixels.size(), NoOutline);
    RasterTarget target;
    target.Colour = mask.data();
    target.Pitch = out.Width;
    target.Rows = out.Height;
    if (!mask.empty()) {
        DrawOutlines(ws, scale, false, target);
        DrawOutlines(ws, scale, true, target);
    }
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != NoOutline)
            out.Pixels[i] = mask[i] == SelectedOutline ? colours.Selected : colours.Outline;
    }
    return out;
}

}  // namespace varp
