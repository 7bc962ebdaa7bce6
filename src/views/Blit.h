// Showing a pane: its palette-index picture turned into a top-down 32-bit RGB image.
#pragma once

#include <cstdint>

#include "app/Workspace.h"

namespace varp {

// The colour table every pane shows through: the current skin's palette, or a grey ramp when
// there is no skin. Entries are 0xFFRRGGBB.
void PaneColourTable(const Workspace& ws, uint32_t table[256]);

// Copies the rectangle (left, top, width, height) of a bottom-up picture, in window
// coordinates, into a top-down 0xFFRRGGBB image whose row y starts at dst + y * dstStride
// (in pixels) and whose pixel (0, 0) is the rectangle's top-left. The rectangle must lie
// inside the picture.
void BlitPane(const uint8_t* pixels, int bufferWidth, int bufferHeight, const uint32_t table[256],
              int left, int top, int width, int height, uint32_t* dst, int dstStride);

}  // namespace varp
