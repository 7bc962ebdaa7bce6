// The blit flips rows and maps every index through the table; the table follows the skin.
#include <gtest/gtest.h>

#include <memory>

#include "views/Blit.h"

namespace varp {
namespace {

TEST(Blit, FlipsRowsAndLooksUpEveryPixel) {
    // A 4 x 3 bottom-up picture: row 0 (bottom) holds 0..3, row 2 (top) holds 8..11.
    uint8_t pixels[12];
    for (int i = 0; i < 12; ++i) pixels[i] = static_cast<uint8_t>(i);
    uint32_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = 0xFF000000u | static_cast<uint32_t>(i * 3);
    uint32_t out[2 * 2] = {};
    // Window rectangle x 1..2, y 1..2: buffer rows 1 and 0.
    BlitPane(pixels, 4, 3, table, 1, 1, 2, 2, out, 2);
    EXPECT_EQ(out[0], 0xFF000000u | 15);  // window (1, 1) = buffer row 1, column 1 = index 5
    EXPECT_EQ(out[1], 0xFF000000u | 18);
    EXPECT_EQ(out[2], 0xFF000000u | 3);  // window (1, 2) = buffer row 0, column 1 = index 1
    EXPECT_EQ(out[3], 0xFF000000u | 6);
}

TEST(Blit, ColourTableIsTheSkinPaletteOrAGreyRampWithoutASkin) {
    auto ws = std::make_unique<Workspace>();
    uint32_t table[256];
    PaneColourTable(*ws, table);
    EXPECT_EQ(table[0], 0xFF000000u);
    EXPECT_EQ(table[255], 0xFFFFFFFFu);
    EXPECT_EQ(table[0x40], 0xFF404040u);
    ws->Skins.push_back(std::make_unique<SkinImage>());
    ws->Skins[0]->Palette[3 * 7] = 0x12;
    ws->Skins[0]->Palette[3 * 7 + 1] = 0x34;
    ws->Skins[0]->Palette[3 * 7 + 2] = 0x56;
    ws->SelectSkin(0);
    PaneColourTable(*ws, table);
    EXPECT_EQ(table[7], 0xFF123456u);
    EXPECT_EQ(table[8], 0xFF000000u);
}

}  // namespace
}  // namespace varp
