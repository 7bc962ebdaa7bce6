// Pictures into a skin around its protected colours; nearest-neighbour scaling; the UV template.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "images/Pictures.h"
#include "images/SkinImport.h"
#include "images/UvTemplate.h"

namespace varp {
namespace {

class ProtectedImport : public ::testing::TestWithParam<bool> {};

TEST_P(ProtectedImport, NeitherProducesNorOverwritesAProtectedColour) {
    std::mt19937 rng(3);
    std::array<uint8_t, 768> palette{};
    for (auto& c : palette) c = static_cast<uint8_t>(rng());
    int32_t locks[256] = {};
    for (int i = 0; i < 256; i += 2) locks[i] = 1;  // every even entry protected
    // Half the texels hold protected colours; the picture is noise, some of it exactly the
    // protected colours, some of it transparent, and the transparent index is protected.
    const int w = 64, h = 32;
    std::vector<uint8_t> existing(w * h);
    RgbaPicture picture{w, h, std::vector<Rgba>(w * h)};
    for (size_t i = 0; i < existing.size(); ++i) {
        existing[i] = static_cast<uint8_t>(rng() % 128 * 2 + i % 2);
        const uint8_t* c = palette.data() + 3 * (rng() % 256);
        picture.Pixels[i] = i % 3 == 0 ? Rgba{c[0], c[1], c[2], 255}
                                       : Rgba{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()),
                                              uint8_t(i % 7 == 0 ? 100 : 255)};
    }
    ImportOptions options{GetParam(), 4};
    const auto texels = ImportPicture(picture, palette.data(), locks, &existing, options);
    size_t changed = 0;
    for (size_t i = 0; i < texels.size(); ++i) {
        if (locks[existing[i]] != 0) {
            ASSERT_EQ(texels[i], existing[i]) << i;
        } else {
            ASSERT_EQ(locks[texels[i]], 0) << i;
            changed += texels[i] != existing[i];
        }
    }
    EXPECT_GT(changed, texels.size() / 3);
    // A new skin has nothing to keep: no protected colour anywhere.
    for (uint8_t t : ImportPicture(picture, palette.data(), locks, nullptr, options))
        ASSERT_EQ(locks[t], 0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutDithering, ProtectedImport, ::testing::Bool());

TEST(ScaleNearest, EachPixelIsTheOneUnderItsCentre) {
    RgbaPicture p{3, 2, {}};
    for (uint8_t i = 0; i < 6; ++i) p.Pixels.push_back({i, 0, 0, 255});
    const auto reds = [](const RgbaPicture& q) {
        std::vector<int> r;
        for (const Rgba& c : q.Pixels) r.push_back(c.r);
        return r;
    };
    EXPECT_EQ(reds(ScaleNearest(p, 6, 3)),
              (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 3, 3, 4, 4, 5, 5}));
    EXPECT_EQ(reds(ScaleNearest(p, 2, 1)), (std::vector<int>{3, 5}));
}

TEST(UvTemplate, OutlinesJoinTexelCentresAndSelectedOnesLieOnTop) {
    auto ws = std::make_unique<Workspace>();
    ws->SkinWidth = 8;
    ws->SkinHeight = 6;
    ws->NumTriangles = 2;
    const SkinCoord corners[2][3] = {{{0, 0}, {6, 0}, {0, 4}}, {{6, 0}, {6, 4}, {0, 4}}};
    for (int t = 0; t < 2; ++t)
        for (int k = 0; k < 3; ++k) ws->Triangles[t].CornerST[k] = corners[t][k];
    ws->Triangles[1].Flags = Selected;
    SkinImage skin;
    skin.Width = 8;
    skin.Height = 6;
    skin.Pixels.assign(48, 0);
    skin.Pixels[1 * 8 + 2] = 1;  // texel (2, 1)
    skin.Palette[3] = 90;
    const TemplateColours colours{{1, 2, 3, 255}, {10, 10, 10, 255}, {20, 20, 20, 255}};
    const Rgba back = colours.Background, line = colours.Outline, chosen = colours.Selected;
    const RgbaPicture flat = DrawUvTemplate(*ws, nullptr, 2, colours);
    ASSERT_EQ(flat.Width, 16);
    ASSERT_EQ(flat.Height, 12);
    // At scale 2 the texel centres are at 2s + 1, 2t + 1.
    const struct {
        int x, y;
        Rgba want;
    } cases[] = {{0, 0, back},    {1, 1, line},  {7, 1, line},   {13, 1, chosen},
                 {14, 1, back},   {1, 5, line},  {1, 9, chosen}, {7, 9, chosen},
                 {13, 5, chosen}, {7, 10, back}, {15, 11, back}, {4, 2, back}};
    for (const auto& c : cases)
        EXPECT_EQ(flat.Pixels[size_t(c.y * 16 + c.x)], c.want) << c.x << "," << c.y;
    // On the skin, the texels show as 2 x 2 blocks under the outlines.
    const RgbaPicture onSkin = DrawUvTemplate(*ws, &skin, 2, colours);
    EXPECT_EQ(onSkin.Pixels[2 * 16 + 4], (Rgba{90, 0, 0, 255}));
    EXPECT_EQ(onSkin.Pixels[3 * 16 + 5], (Rgba{90, 0, 0, 255}));
    EXPECT_EQ(onSkin.Pixels[3 * 16 + 6], (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(onSkin.Pixels[1 * 16 + 5], line);
}

}  // namespace
}  // namespace varp
