// Ramp colours of the demo palette: each ramp darkens its base colour toward black and then
// lightens it toward white, so any shade step reads as light and shadow on the model.
#include "sample/Palette.h"

#include <algorithm>
#include <cmath>

namespace varp::sample {

namespace {

struct Rgb {
    double r, g, b;
};

// The colour each ramp has at shade 11; the shades above it wash toward white.
constexpr Rgb Bases[16] = {
    {190, 190, 190},  // greys
    {150, 100, 60},   // browns
    {225, 170, 130},  // skin tones
    {205, 40, 30},    // reds
    {60, 165, 60},    // greens
    {50, 90, 215},    // blues
    {220, 175, 45},   // golds
    {230, 120, 30},   // oranges
    {150, 70, 185},   // purples
    {40, 165, 165},   // teals
    {125, 145, 170},  // steel
    {135, 135, 60},   // olives
    {115, 75, 45},    // leather
    {215, 110, 140},  // pinks
    {230, 220, 70},   // yellows
    {185, 165, 120},  // khaki
};

uint8_t Channel(double base, int shade) {
    double c;
    if (shade <= 11) {
        c = base * (shade + 1) / 12.0;
    } else {
        c = base + (255.0 - base) * (shade - 11) * 0.14;
    }
    return static_cast<uint8_t>(std::clamp(std::lround(c), 0L, 255L));
}

}  // namespace

std::array<uint8_t, 768> SamplePalette() {
    std::array<uint8_t, 768> palette{};
    for (int ramp = 0; ramp < 16; ++ramp) {
        for (int shade = 0; shade < 16; ++shade) {
            const size_t i = static_cast<size_t>(ramp * 16 + shade) * 3;
            palette[i] = Channel(Bases[ramp].r, shade);
            palette[i + 1] = Channel(Bases[ramp].g, shade);
            palette[i + 2] = Channel(Bases[ramp].b, shade);
        }
    }
    palette[3 * ReservedIndex] = 255;
    palette[3 * ReservedIndex + 1] = 0;
    palette[3 * ReservedIndex + 2] = 255;
    return palette;
}

}  // namespace varp::sample
