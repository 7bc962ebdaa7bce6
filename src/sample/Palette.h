// The demo skins' 256-colour palette: sixteen ramps of sixteen shades, dark to light.
#pragma once

#include <array>
#include <cstdint>

namespace varp::sample {

enum Ramp : int {
    Greys,
    Browns,
    SkinTones,
    Reds,
    Greens,
    Blues,
    Golds,
    Oranges,
    Purples,
    Teals,
    Steel,
    Olives,
    Leather,
    Pinks,
    Yellows,
    Khaki
};

// The last entry is not part of any ramp: a loud magenta that nothing is painted with.
inline constexpr uint8_t ReservedIndex = 255;
// Entry 0 (the darkest grey) is left for skin space that no piece uses.
inline constexpr uint8_t UnusedIndex = 0;

// Palette entry of `shade` (0 darkest .. 15 lightest) in `ramp`, kept off the two entries
// above.
inline uint8_t Shade(int ramp, int shade) {
    const int top = ramp == Khaki ? 14 : 15;
    const int s = shade < 1 ? 1 : (shade > top ? top : shade);
    return static_cast<uint8_t>(ramp * 16 + s);
}

std::array<uint8_t, 768> SamplePalette();

}  // namespace varp::sample
