// Importing a picture into a palette, around the protected colours.
#include "images/SkinImport.h"

#include <algorithm>

#include "images/PaletteMap.h"

namespace varp {

namespace {

uint32_t Key(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

}  // namespace

std::array<bool, 256> UnprotectedColours(const int32_t locks[256]) {
    std::array<bool, 256> allowed{};
    for (size_t i = 0; i < 256; ++i) allowed[i] = locks[i] == 0;
    return allowed;
}

bool FitsPalette(const RgbaPicture& picture, const uint8_t* palette,
                 const std::array<bool, 256>& allowed) {
    std::vector<uint32_t> colours;
    for (size_t i = 0; i < 256; ++i) {
        if (allowed[i])
            colours.push_back(Key(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]));
    }
    std::sort(colours.begin(), colours.end());
    // Neighbouring pixels are mostly alike: the last colour found is tried first.
    uint32_t last = UINT32_MAX;
    for (const Rgba& p : picture.Pixels) {
        if (p.a < 128) continue;
        const uint32_t key = Key(p.r, p.g, p.b);
        if (key == last) continue;
        if (!std::binary_search(colours.begin(), colours.end(), key)) return false;
        last = key;
    }
    return true;
}

std::vector<uint8_t> ImportPicture(const RgbaPicture& picture, const uint8_t* palette,
                                   const int32_t locks[256], const std::vector<uint8_t>* existing,
                                   const ImportOptions& options) {
    PaletteMapper mapper(palette, UnprotectedColours(locks));
    MapOptions map;
    map.Dither = options.Dither;
    map.Transparent = options.Transparent;
    if (locks[options.Transparent] != 0) {
        const uint8_t* c = palette + 3 * options.Transparent;
        map.Transparent = mapper.Nearest(c[0], c[1], c[2]);
    }
    std::vector<uint8_t> texels =
        MapPicture(picture.Pixels.data(), picture.Width, picture.Height, mapper, map);
    if (existing != nullptr && existing->size() == texels.size()) {
        for (size_t i = 0; i < texels.size(); ++i) {
            const uint8_t was = (*existing)[i];
            // A protected texel stays; so does one the picture leaves in its colour, so that a
            // palette that repeats a colour keeps the entry each texel had.
            if (locks[was] != 0 ||
                (picture.Pixels[i].a >= 128 &&
                 std::equal(palette + 3 * was, palette + 3 * was + 3, palette + 3 * texels[i]))) {
                texels[i] = was;
            }
        }
    }
    return texels;
}

}  // namespace varp
