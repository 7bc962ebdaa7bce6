// The pane blit: one pass, one table lookup per pixel, rows flipped to top-down.
#include "views/Blit.h"

namespace varp {

void PaneColourTable(const Workspace& ws, uint32_t table[256]) {
    const SkinImage* skin = ws.CurrentSkin;
    for (int i = 0; i < 256; ++i) {
        uint32_t r = static_cast<uint32_t>(i), g = r, b = r;
        if (skin != nullptr) {
            r = skin->Palette[static_cast<size_t>(3 * i)];
            g = skin->Palette[static_cast<size_t>(3 * i + 1)];
            b = skin->Palette[static_cast<size_t>(3 * i + 2)];
        }
        table[i] = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

void BlitPane(const uint8_t* pixels, int bufferWidth, int bufferHeight, const uint32_t table[256],
              int left, int top, int width, int height, uint32_t* dst, int dstStride) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* src =
            pixels + static_cast<ptrdiff_t>(bufferHeight - 1 - (top + y)) * bufferWidth + left;
        uint32_t* out = dst + static_cast<ptrdiff_t>(y) * dstStride;
        for (int x = 0; x < width; ++x) out[x] = table[src[x]];
    }
}

}  // namespace varp
