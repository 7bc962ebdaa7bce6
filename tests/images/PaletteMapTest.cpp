// Palette mapping: the cache never answers other than the full search, protected entries are
// never chosen, dithering spreads the error and transparent pixels take their index.
#include <gtest/gtest.h>

#include <random>

#include "images/PaletteMap.h"

namespace varp {
namespace {

std::array<uint8_t, 768> RandomPalette(uint32_t seed) {
    std::mt19937 rng(seed);
    std::array<uint8_t, 768> p{};
    for (auto& c : p) c = static_cast<uint8_t>(rng());
    return p;
}

std::array<bool, 256> AllAllowed() {
    std::array<bool, 256> allowed{};
    allowed.fill(true);
    return allowed;
}

TEST(PaletteMapper, TheCacheAlwaysGivesTheNearestEntryOfTheFullSearch) {
    auto palette = RandomPalette(7);
    std::copy_n(palette.begin(), 96, palette.begin() + 384);  // 128 to 159 repeat 0 to 31
    std::array<bool, 256> allowed = AllAllowed();
    for (int i = 0; i < 256; i += 3) allowed[static_cast<size_t>(i)] = false;
    PaletteMapper mapper(palette.data(), allowed);
    std::mt19937 rng(11);
    for (int n = 0; n < 20000; ++n) {
        // Few distinct colours, so that the cache is filled, hit and overwritten.
        const auto r = static_cast<uint8_t>(rng() % 64 * 4), g = static_cast<uint8_t>(rng()),
                   b = static_cast<uint8_t>(rng() % 8 * 36);
        const uint8_t got = mapper.Nearest(r, g, b);
        ASSERT_TRUE(allowed[got]) << int(got);
        // Brute force over every allowed entry with the same distance.
        const Oklab want = ToOklab(r, g, b);
        float best = INFINITY;
        int bestIndex = -1;
        for (int i = 0; i < 256; ++i) {
            if (!allowed[static_cast<size_t>(i)]) continue;
            const float d =
                Distance2(want, ToOklab(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]));
            if (d < best) best = d, bestIndex = i;
        }
        ASSERT_EQ(got, bestIndex) << int(r) << " " << int(g) << " " << int(b);
    }
}

TEST(MapPicture, ExactColoursMapToTheirOwnEntriesAndLowAlphaToTheTransparentIndex) {
    std::array<uint8_t, 768> palette{};
    for (int i = 0; i < 256; ++i)
        palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = static_cast<uint8_t>(i);
    PaletteMapper mapper(palette.data(), AllAllowed());
    const std::vector<Rgba> picture = {
        {10, 10, 10, 255}, {200, 200, 200, 128}, {50, 50, 50, 127}, {255, 255, 255, 255}};
    MapOptions options;
    options.Transparent = 7;
    EXPECT_EQ(MapPicture(picture.data(), 2, 2, mapper, options),
              (std::vector<uint8_t>{10, 200, 7, 255}));
    // With dithering an exact picture stays exact: there is no error to spread.
    options.Dither = true;
    EXPECT_EQ(MapPicture(picture.data(), 2, 2, mapper, options),
              (std::vector<uint8_t>{10, 200, 7, 255}));
}

TEST(MapPicture, DitheringMixesTwoEntriesInTheProportionOfTheColourBetweenThem) {
    // Black and white only: a grey of 64 over a 32 x 32 area comes out a quarter white.
    std::array<uint8_t, 768> palette{};
    palette[3] = palette[4] = palette[5] = 255;
    std::array<bool, 256> allowed{};
    allowed[0] = allowed[1] = true;
    PaletteMapper mapper(palette.data(), allowed);
    const std::vector<Rgba> grey(32 * 32, Rgba{64, 64, 64, 255});
    MapOptions options;
    const auto flat = MapPicture(grey.data(), 32, 32, mapper, options);
    EXPECT_EQ(std::count(flat.begin(), flat.end(), 1), 0);
    options.Dither = true;
    const auto dithered = MapPicture(grey.data(), 32, 32, mapper, options);
    const auto whites = std::count(dithered.begin(), dithered.end(), 1);
    EXPECT_NEAR(static_cast<double>(whites) / (32 * 32), 64.0 / 255.0, 0.02);
}

}  // namespace
}  // namespace varp
