// The demo skins: sizes, the ramp palette, and the team recolouring of the second skin.
#include <gtest/gtest.h>

#include <set>

#include "formats/Pcx.h"
#include "sample/Sample.h"

namespace varp {
namespace {

std::unique_ptr<SkinImage> Skin(int which) {
    const std::vector<uint8_t> bytes = sample::SampleSkinBytes(which);
    return DecodePcx(ByteView(bytes));
}

int Luma(const std::array<uint8_t, 768>& pal, int i) {
    return 299 * pal[3 * i] + 587 * pal[3 * i + 1] + 114 * pal[3 * i + 2];
}

TEST(SampleSkins, DecodeAtTheirSizesWithOnePalette) {
    const int sides[] = {256, 256, 256, 256, 128};
    const auto first = Skin(0);
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 5; ++i) {
        const auto skin = Skin(i);
        ASSERT_NE(skin, nullptr) << i;
        EXPECT_EQ(skin->Width, sides[i]) << i;
        EXPECT_EQ(skin->Height, sides[i]) << i;
        EXPECT_EQ(skin->Palette, first->Palette) << i;
    }
}

TEST(SampleSkins, PaletteRunsSixteenRampsFromDarkToLight) {
    const auto pal = Skin(0)->Palette;
    for (int ramp = 0; ramp < 16; ++ramp) {
        const int last = ramp == 15 ? 14 : 15;  // 255 is not part of a ramp
        for (int shade = 0; shade < last; ++shade) {
            EXPECT_LT(Luma(pal, ramp * 16 + shade), Luma(pal, ramp * 16 + shade + 1))
                << "ramp " << ramp << " shade " << shade;
        }
    }
    EXPECT_LT(Luma(pal, 0), 299 * 20 + 587 * 20 + 114 * 20);  // near black
    EXPECT_EQ(pal[3 * 255], 255);
    EXPECT_EQ(pal[3 * 255 + 1], 0);
    EXPECT_EQ(pal[3 * 255 + 2], 255);
}

TEST(SampleSkins, AreRichlyPaintedAndNeverUseTheReservedEntries) {
    for (int i = 0; i < 4; ++i) {
        const auto skin = Skin(i);
        std::set<uint8_t> colours(skin->Pixels.begin(), skin->Pixels.end());
        EXPECT_GE(colours.size(), 60u) << i;
        EXPECT_EQ(colours.count(0), 0u) << i;    // unused skin space
        EXPECT_EQ(colours.count(255), 0u) << i;  // the odd one out
    }
}

TEST(SampleSkins, SecondSkinRecoloursOnlyTheTeamRamp) {
    // Red team (ramp 3) becomes blue team (ramp 5) shade for shade; nothing else changes.
    const auto red = Skin(0), blue = Skin(1);
    size_t team = 0;
    for (size_t i = 0; i < red->Pixels.size(); ++i) {
        const int r = red->Pixels[i];
        if (r / 16 == 3) {
            ++team;
            ASSERT_EQ(blue->Pixels[i], r + 32) << "texel " << i;
        } else {
            ASSERT_EQ(blue->Pixels[i], r) << "texel " << i;
        }
    }
    EXPECT_GT(team, red->Pixels.size() / 10);
}

TEST(SampleSkins, ExtrasAreDifferentSkinsOfTheSameLayout) {
    const auto red = Skin(0), blueTeam = Skin(1), blue = Skin(2), gold = Skin(3);
    EXPECT_NE(blue->Pixels, blueTeam->Pixels);
    EXPECT_NE(blue->Pixels, gold->Pixels);
    EXPECT_NE(gold->Pixels, red->Pixels);
    // The small one is the first skin at half size.
    const auto small = Skin(4);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(small->Pixels[static_cast<size_t>(y * 128 + x)],
                      red->Pixels[static_cast<size_t>(2 * y * 256 + 2 * x)]);
        }
    }
}

}  // namespace
}  // namespace varp
