// The palette view's picture: grid fill, markers, protection crosses, and its size handler.
#include "views/palette/PalBox.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "raster/Raster.h"

namespace varp {

PalBox::PalBox(App& app, PaneHost& host) : Pane(app, host) {
    // Placeholder until the first size change; Render draws nothing while the size is -1.
    PixelBuffer.assign(1024, 0);
}

void PalBox::OnSize(int cx, int cy) {
    const bool replaced = ReplaceBuffers(
        cx, cy, [this] { PixelBuffer = {}; }, [this](size_t n) { PixelBuffer.resize(n); });
    if (replaced) Render();
}

uint8_t PalBox::ColourAt(ClientPoint p) {
    // Unsigned, so that the far ends of the int range wrap instead of overflowing.
    const auto column = static_cast<unsigned>(std::max(p.x, 0) / CellSize);
    const auto row = static_cast<unsigned>(std::max(p.y, 0) / CellSize);
    return static_cast<uint8_t>(column + 16u * row);
}

uint8_t PalBox::MarkerColour(uint8_t colour) {
    const int column = colour % 16, row = colour / 16;
    return static_cast<uint8_t>(256 - (30 - row - column) / 2);
}

void PalBox::Render() {
    if (BufferWidth <= 0 || BufferHeight <= 0) return;
    FillGrid();
    // The background marker goes second, so a cell holding both colours shows both outlines.
    DrawCellOutline(app_.PaintColour, 0, CellSize);
    DrawCellOutline(app_.BackgroundColour, 3, 6);
    for (int k = 0; k < 256; ++k) {
        if (app_.ColourLocks[k] == 1) DrawCross(k);
    }
}

void PalBox::FillGrid() {
    const int width = BufferWidth, height = BufferHeight;
    // Pane rows run from the top, buffer rows from the bottom. Every pane row of a 12-row band
    // holds the same values, so the band's first row is built once and copied.
    for (int bandTop = 0; bandTop < height; bandTop += CellSize) {
        uint8_t* const first = PixelBuffer.data() + static_cast<size_t>(height - 1 - bandTop) *
                                                        static_cast<size_t>(width);
        const int base = 16 * (bandTop / CellSize);
        for (int x = 0; x < width; x += CellSize) {
            // Beyond 16 columns or rows the index wraps to its low 8 bits.
            const auto value = static_cast<uint8_t>(x / CellSize + base);
            std::memset(first + x, value, static_cast<size_t>(std::min(CellSize, width - x)));
        }
        const int bandRows = std::min(CellSize, height - bandTop);
        for (int r = 1; r < bandRows; ++r) {
            std::memcpy(first - static_cast<ptrdiff_t>(r) * width, first,
                        static_cast<size_t>(width));
        }
    }
}

void PalBox::Plot(int row, int column, uint8_t colour) {
    if (row < 0 || row >= BufferHeight || column < 0 || column >= BufferWidth) return;
    PixelBuffer[static_cast<size_t>(row) * static_cast<size_t>(BufferWidth) +
                static_cast<size_t>(column)] = colour;
}

void PalBox::DrawCellOutline(uint8_t colour, int inset, int size) {
    // Marker rows count from the bottom of the buffer, so they meet the grid's cells exactly
    // when the pane is 192 rows high; a shorter or narrower pane loses the pixels outside it.
    const int row0 = CellSize * (15 - colour / 16) + inset;
    const int column0 = CellSize * (colour % 16) + inset;
    const int last = size - 1;
    const uint8_t marker = MarkerColour(colour);
    for (int i = 0; i < size; ++i) {
        Plot(row0, column0 + i, marker);
        Plot(row0 + last, column0 + i, marker);
        Plot(row0 + i, column0 + last, marker);
        Plot(row0 + i, column0, marker);
    }
}

void PalBox::DrawCross(int colourIndex) {
    const RasterTarget target = WholeTarget();

    const int x0 = CellSize * (colourIndex % 16);
    const int y0 = 180 - CellSize * (colourIndex / 16);
    const int width = BufferWidth, height = BufferHeight;
    // Both strokes are exact diagonals, pixel i at row y0 + i. Where the cell reaches past the
    // buffer only the steps i that stay inside are drawn: the same pixels the whole stroke
    // would put there, which a general line clipper's rounding would not guarantee.
    // The stroke from (x0, y0) to (x0 + 11, y0 + 11), in colour 2.
    int first = 0, last = std::min({CellSize - 1, width - 1 - x0, height - 1 - y0});
    if (first <= last) {
        int32_t line[4] = {x0 + first, y0 + first, x0 + last, y0 + last};
        DrawLine(target, line, 2);
    }
    // The stroke from (x0 + 11, y0) to (x0, y0 + 11), in colour 12.
    first = std::max(0, x0 + CellSize - width);
    last = std::min(CellSize - 1, height - 1 - y0);
    if (first <= last) {
        const int right = x0 + CellSize - 1;
        int32_t line[4] = {right - first, y0 + first, right - last, y0 + last};
        DrawLine(target, line, 12);
    }
}

}  // namespace varp
