// What the palette view tests share: views of a pane's picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/FakePaneHost.h"
#include "support/ScriptedPlatform.h"
#include "views/palette/PalBox.h"

namespace varp::test {

// The pixel at window point (x, y) (y downward) of a pane's bottom-up picture.
inline uint8_t PixelAt(const PalBox& box, int x, int y) {
    return box.PixelBuffer[static_cast<size_t>(box.BufferHeight - 1 - y) *
                               static_cast<size_t>(box.BufferWidth) +
                           static_cast<size_t>(x)];
}

// The 12 x 12 cell of `colour` in a 192 x 192 pane, top row first: '.' for the colour itself,
// '#' for `marker`, '2' and 'C' for the cross colours 2 and 12, '?' for anything else.
inline std::vector<std::string> CellPicture(const PalBox& box, int colour, int marker) {
    std::vector<std::string> rows;
    for (int y = 0; y < 12; ++y) {
        std::string row;
        for (int x = 0; x < 12; ++x) {
            const int v = PixelAt(box, 12 * (colour % 16) + x, 12 * (colour / 16) + y);
            row += v == colour ? '.' : v == marker ? '#' : v == 2 ? '2' : v == 12 ? 'C' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace varp::test
