// Palette mapping: full-colour pictures brought into a 256-colour palette, each colour to the
// entry nearest to it as the eye sees it, never to a protected entry, with optional dithering.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/ImageCodec.h"

namespace varp {

// A colour in OKLab: lightness and two opponent axes, where equal distances look about equally
// different. Chosen over CIELAB because its hues stay put as lightness changes (CIELAB bends
// blues toward purple), which matters for the many dark browns and blues of game palettes, and
// it costs three cube roots and two small matrix products.
struct Oklab {
    float L = 0;
    float a = 0;
    float b = 0;
};

Oklab ToOklab(uint8_t r, uint8_t g, uint8_t b);

// The squared distance between two colours in OKLab: what "nearest" means here.
inline float Distance2(const Oklab& x, const Oklab& y) {
    const float dL = x.L - y.L, da = x.a - y.a, db = x.b - y.b;
    return dL * dL + da * da + db * db;
}

class PaletteMapper {
  public:
    // `palette` is 768 bytes (RGB triples). Entries where `allowed` is false (the protected
    // colours) are never the answer; at least one entry must be allowed.
    PaletteMapper(const uint8_t* palette, const std::array<bool, 256>& allowed);

    // The allowed entry nearest to the colour; of entries at the same distance the lowest.
    // Answers are kept per colour, so a picture of few colours costs little; a kept answer is
    // always the one the full search gives.
    uint8_t Nearest(uint8_t r, uint8_t g, uint8_t b);

    const uint8_t* Palette() const { return palette_.data(); }

  private:
    std::array<uint8_t, 768> palette_{};
    struct Entry {
        Oklab Lab;
        uint8_t Index;
    };
    // The full search, without the cache.
    uint8_t Search(uint8_t r, uint8_t g, uint8_t b);

    std::vector<Entry> entries_;       // the allowed entries, by lightness
    std::array<Oklab, 256> lab_{};     // every entry's colour
    std::vector<uint32_t> cacheKeys_;  // 0x01RRGGBB when filled, 0 when empty
    std::vector<uint8_t> cacheValues_;
    std::vector<int16_t> cellGuess_;  // the answer for each cell's middle colour, -1 unknown
};

struct MapOptions {
    bool Dither = false;      // Floyd-Steinberg, rows alternately left to right and back
    uint8_t Transparent = 0;  // the index of pixels whose alpha is below half
};

// Maps a width x height picture (rows top first) into palette indices.
std::vector<uint8_t> MapPicture(const Rgba* pixels, int width, int height, PaletteMapper& mapper,
                                const MapOptions& options);

}  // namespace varp
