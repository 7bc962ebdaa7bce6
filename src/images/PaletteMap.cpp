// OKLab nearest-colour search, its cache, and error diffusion.
#include "images/PaletteMap.h"

#include <algorithm>
#include <cmath>

namespace varp {

namespace {

// The sRGB transfer undone, for each of the 256 channel values.
float Linear(uint8_t c) {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (size_t i = 0; i < t.size(); ++i) {
            const float v = static_cast<float>(i) / 255.0f;
            t[i] = v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
        }
        return t;
    }();
    return table[c];
}

// A power-of-two table of kept answers, indexed by a hash of the colour.
constexpr size_t CacheSize = size_t{1} << 16;

size_t Slot(uint32_t rgb) {
    return (rgb * 2654435761u) >> 16 & (CacheSize - 1);
}

}  // namespace

Oklab ToOklab(uint8_t r8, uint8_t g8, uint8_t b8) {
    const float r = Linear(r8), g = Linear(g8), b = Linear(b8);
    const float l = std::cbrt(0.4122214708f * r + 0.5363325363f * g + 0.0514459929f * b);
    const float m = std::cbrt(0.2119034982f * r + 0.6806995451f * g + 0.1073969566f * b);
    const float s = std::cbrt(0.0883024619f * r + 0.2817188376f * g + 0.6299787005f * b);
    return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
            1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
            0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

PaletteMapper::PaletteMapper(const uint8_t* palette, const std::array<bool, 256>& allowed)
    : cacheKeys_(CacheSize, 0), cacheValues_(CacheSize, 0), cellGuess_(32 * 32 * 32, -1) {
    std::copy_n(palette, palette_.size(), palette_.begin());
    for (int i = 0; i < 256; ++i) {
        if (!allowed[static_cast<size_t>(i)]) continue;
        const uint8_t* c = palette + 3 * i;
        lab_[static_cast<size_t>(i)] = ToOklab(c[0], c[1], c[2]);
        entries_.push_back({lab_[static_cast<size_t>(i)], static_cast<uint8_t>(i)});
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& x, const Entry& y) { return x.Lab.L < y.Lab.L; });
}

uint8_t PaletteMapper::Search(uint8_t r, uint8_t g, uint8_t b) {
    if (entries_.empty()) return 0;
    // The answer for the middle of the colour's 8 x 8 x 8 cell is near: measured first, it
    // narrows the band of lightness searched from the start.
    const size_t cell = size_t{r} >> 3 << 10 | size_t{g} >> 3 << 5 | size_t{b} >> 3;
    if (cellGuess_[cell] < 0) {
        // The middle's own search starts from any entry.
        cellGuess_[cell] = entries_.front().Index;
        cellGuess_[cell] = Search(static_cast<uint8_t>(r | 4), static_cast<uint8_t>(g | 4),
                                  static_cast<uint8_t>(b | 4));
    }
    const Oklab want = ToOklab(r, g, b);
    const auto guess = static_cast<uint8_t>(cellGuess_[cell]);
    float bestDistance = Distance2(want, lab_[guess]);
    int best = guess;
    // Of equals, the lowest index: the order of the search does not decide.
    const auto consider = [&](const Entry& e) {
        const float d = Distance2(want, e.Lab);
        if (d < bestDistance || (d == bestDistance && e.Index < best)) {
            bestDistance = d;
            best = e.Index;
        }
    };
    // Outward from the entries of the colour's lightness: an entry whose lightness alone lies
    // farther than the best distance found, and every one beyond it, cannot be nearer.
    const auto start =
        std::lower_bound(entries_.begin(), entries_.end(), want.L,
                         [](const Entry& e, float lightness) { return e.Lab.L < lightness; });
    for (auto it = start; it != entries_.end(); ++it) {
        const float dL = want.L - it->Lab.L;
        if (dL * dL > bestDistance) break;
        consider(*it);
    }
    for (auto it = start; it != entries_.begin();) {
        --it;
        const float dL = want.L - it->Lab.L;
        if (dL * dL > bestDistance) break;
        consider(*it);
    }
    return best == 256 ? 0 : static_cast<uint8_t>(best);
}

uint8_t PaletteMapper::Nearest(uint8_t r, uint8_t g, uint8_t b) {
    const uint32_t key = 0x01000000u | static_cast<uint32_t>(r) << 16 | g << 8 | b;
    const size_t slot = Slot(key);
    if (cacheKeys_[slot] != key) {
        cacheKeys_[slot] = key;
        cacheValues_[slot] = Search(r, g, b);
    }
    return cacheValues_[slot];
}

std::vector<uint8_t> MapPicture(const Rgba* pixels, int width, int height, PaletteMapper& mapper,
                                const MapOptions& options) {
    const auto w = static_cast<size_t>(std::max(width, 0));
    const auto h = static_cast<size_t>(std::max(height, 0));
    std::vector<uint8_t> out(w * h);
    if (!options.Dither) {
        for (size_t i = 0; i < out.size(); ++i) {
            const Rgba& p = pixels[i];
            out[i] = p.a < 128 ? options.Transparent : mapper.Nearest(p.r, p.g, p.b);
        }
        return out;
    }
    // The error carried to this row and the next, per pixel and channel, with a pixel of room
    // at each end so that the neighbours need no bounds test.
    std::vector<float> here((w + 2) * 3, 0.0f), next((w + 2) * 3, 0.0f);
    const uint8_t* palette = mapper.Palette();
    for (size_t y = 0; y < h; ++y) {
        const bool forward = y % 2 == 0;
        std::fill(next.begin(), next.end(), 0.0f);
        for (size_t n = 0; n < w; ++n) {
            const size_t x = forward ? n : w - 1 - n;
            const Rgba& p = pixels[y * w + x];
            if (p.a < 128) {
                out[y * w + x] = options.Transparent;
                continue;
            }
            float want[3];
            uint8_t clamped[3];
            const uint8_t channels[3] = {p.r, p.g, p.b};
            for (size_t c = 0; c < 3; ++c) {
                // The carried error is clamped with the colour, so that it never runs away.
                want[c] = std::clamp(channels[c] + here[(x + 1) * 3 + c], 0.0f, 255.0f);
                clamped[c] = static_cast<uint8_t>(std::lround(want[c]));
            }
            const uint8_t index = mapper.Nearest(clamped[0], clamped[1], clamped[2]);
            out[y * w + x] = index;
            // Positions in the padded rows of the pixel ahead and the one behind.
            const size_t ahead = forward ? x + 2 : x, behind = forward ? x : x + 2;
            for (size_t c = 0; c < 3; ++c) {
                const float error = want[c] - static_cast<float>(palette[3 * index + c]);
                here[ahead * 3 + c] += error * 7.0f / 16.0f;
                next[behind * 3 + c] += error * 3.0f / 16.0f;
                next[(x + 1) * 3 + c] += error * 5.0f / 16.0f;
                next[ahead * 3 + c] += error * 1.0f / 16.0f;
            }
        }
        std::swap(here, next);
    }
    return out;
}

}  // namespace varp
