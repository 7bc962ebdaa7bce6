// PCX decoding and encoding: run-length rules, image bounds, round trips through files.
#include <gtest/gtest.h>

#include <random>

#include "formats/Pcx.h"
#include "platform/Paths.h"
#include "skins/SkinFiles.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

// A file with the given bounds and pixel stream, and palette entry i = (i, i, i).
std::vector<uint8_t> RawPcx(int xmin, int ymin, int xmax, int ymax, std::vector<uint8_t> stream) {
    std::vector<uint8_t> f(PcxHeaderSize, 0);
    f.reserve(PcxHeaderSize + stream.size() + 769);
    const int bounds[4] = {xmin, ymin, xmax, ymax};
    for (int i = 0; i < 4; ++i) {
        f[4 + 2 * i] = static_cast<uint8_t>(bounds[i]);
        f[5 + 2 * i] = static_cast<uint8_t>(bounds[i] >> 8);
    }
    f.insert(f.end(), stream.begin(), stream.end());
    f.push_back(0x0C);
    for (int i = 0; i < 256; ++i) f.insert(f.end(), 3, static_cast<uint8_t>(i));
    return f;
}

std::vector<uint8_t> Decoded(const std::vector<uint8_t>& file) {
    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(file));
    return skin ? skin->Pixels : std::vector<uint8_t>{0xEE};
}

TEST(Pcx, EncodesHighValuesAsOnePixelRunsAndReadsBackExactly) {
    std::mt19937 rng(7);
    std::vector<uint8_t> pixels(37 * 5);
    for (auto& p : pixels) p = static_cast<uint8_t>(rng());
    uint8_t palette[768];
    for (auto& c : palette) c = static_cast<uint8_t>(rng());
    const std::vector<uint8_t> file = EncodePcx(pixels.data(), 37, 5, palette);

    size_t high = 0;
    for (uint8_t p : pixels) high += p >= 0xC0;
    ASSERT_EQ(file.size(), 128 + pixels.size() + high + 769);
    EXPECT_EQ(file[0], 0x0A);
    EXPECT_EQ(file[1], 5);
    EXPECT_EQ(file[2], 1);
    EXPECT_EQ(file[3], 8);
    EXPECT_EQ(file[8], 36);   // xmax
    EXPECT_EQ(file[10], 4);   // ymax
    EXPECT_EQ(file[12], 37);  // horizontal resolution
    EXPECT_EQ(file[65], 1);
    EXPECT_EQ(file[66], 37);  // bytes per line
    EXPECT_EQ(file[68], 2);
    EXPECT_EQ(file[file.size() - 769], 0x0C);

    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(file));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Width, 37);
    EXPECT_EQ(skin->Height, 5);
    EXPECT_EQ(skin->Pixels, pixels);
    EXPECT_EQ(skin->StoredPixels, pixels);
    EXPECT_TRUE(std::equal(palette, palette + 768, skin->Palette.begin()));
}

TEST(Pcx, RunsCrossRowsAreCutAtTheImageEndAndAnEmptyRunWritesNothing) {
    // 3 x 2: an empty run, a run of 4 crossing the row end, then a run of 5 cut to 2.
    EXPECT_EQ(Decoded(RawPcx(0, 0, 2, 1, {0xC0, 0x55, 0xC4, 0x07, 0xC5, 0x09})),
              (std::vector<uint8_t>{7, 7, 7, 7, 9, 9}));
    // Plain values below 0xC0 are single pixels.
    EXPECT_EQ(Decoded(RawPcx(0, 0, 1, 0, {0xBF, 0x00})), (std::vector<uint8_t>{0xBF, 0x00}));
}

TEST(Pcx, SizeComesFromBothBoundsAndThePaletteFromTheLastBytes) {
    std::unique_ptr<SkinImage> skin;
    const std::vector<uint8_t> f = RawPcx(10, 20, 13, 21, {0xC8, 0x02});
    skin = DecodePcx(ByteView(f));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Width, 4);
    EXPECT_EQ(skin->Height, 2);
    EXPECT_EQ(skin->Palette[3 * 200 + 1], 200);
}

TEST(Pcx, RefusesFilesThatCannotHoldTheirImage) {
    // The pixel stream runs on into the palette bytes; a 771 x 1 image needs one byte more
    // than a file of 1 + 1 + 768 plain bytes holds.
    std::vector<uint8_t> truncated(128, 0);
    truncated[8] = 0x02;  // xmax = 770
    truncated[9] = 0x03;
    truncated.push_back(0x05);
    truncated.push_back(0x0C);
    truncated.insert(truncated.end(), 768, 0x00);
    EXPECT_FALSE(DecodePcx(ByteView(truncated)));
    truncated[8] = 0x01;  // xmax = 769: now the same bytes are exactly enough
    EXPECT_TRUE(DecodePcx(ByteView(truncated)));

    // A run byte whose value byte would lie past the end of the file.
    std::vector<uint8_t> runAtEnd(128, 0);
    runAtEnd[8] = 0x1F;  // xmax = 799
    runAtEnd[9] = 0x03;
    runAtEnd.insert(runAtEnd.end(), 767, 0x00);
    runAtEnd.push_back(0xC5);
    EXPECT_FALSE(DecodePcx(ByteView(runAtEnd)));

    // Maximum below minimum, on either axis.
    std::vector<uint8_t> backwards = RawPcx(5, 0, 4, 0, {1});
    EXPECT_FALSE(DecodePcx(ByteView(backwards)));
    backwards = RawPcx(0, 5, 0, 4, {1});
    EXPECT_FALSE(DecodePcx(ByteView(backwards)));
    // Too short for a header and a palette.
    std::vector<uint8_t> tiny(128 + 767, 0);
    EXPECT_FALSE(DecodePcx(ByteView(tiny)));
    // Wider than a skin can be, even with data enough.
    std::vector<uint8_t> wide = RawPcx(0, 0, 40000, 0, std::vector<uint8_t>(2000, 0xFF));
    EXPECT_FALSE(DecodePcx(ByteView(wide)));
}

TEST(Pcx, ARunStraddlingTheReadBlockBoundaryDecodesAsAnyOther) {
    // Plain pixels up to the byte before offset 40960, then a run whose count byte is the last
    // of the first 40960-byte block and whose value byte is the first of the next.
    const int width = 20500;  // two rows: 41000 pixels
    std::vector<uint8_t> stream(40960 - 128 - 1, 0x11);
    stream.push_back(0xC3);
    stream.push_back(0x22);
    const size_t plain = stream.size() - 2;
    stream.insert(stream.end(), 2 * width - plain - 3, 0x33);
    const std::vector<uint8_t> file = RawPcx(0, 0, width - 1, 1, stream);
    ASSERT_EQ(file[40959], 0xC3);
    ASSERT_EQ(file[40960], 0x22);
    std::vector<uint8_t> expected(plain, 0x11);
    expected.insert(expected.end(), 3, 0x22);
    expected.insert(expected.end(), 2 * width - plain - 3, 0x33);
    EXPECT_EQ(Decoded(file), expected);
}

TEST(SkinFiles, SavedSkinReadsBackWithItsFullPathAndAsALinkedSkinOnDisk) {
    test::TempDir dir;
    test::ScriptedPlatform sys;
    const std::vector<uint8_t> bytes = test::MakePcx(16, 8);
    std::unique_ptr<SkinImage> original = DecodePcx(ByteView(bytes));
    ASSERT_TRUE(original);
    const std::string path = dir.SystemPath() + "\\sub\\..\\copy.pcx";
    dir.Write("sub/keep", {});
    ASSERT_EQ(SaveSkinFile(sys, *original, path), 1);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/copy.pcx"), bytes);

    ASSERT_EQ(sys.ChangeDirectory(dir.SystemPath()), 0);
    std::unique_ptr<SkinImage> read = LoadSkinFile(sys, "copy.pcx");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Name, "copy.pcx");
    EXPECT_EQ(read->Path, dir.SystemPath() + "\\copy.pcx");
    EXPECT_EQ(read->OnDisk, 1u);
    EXPECT_EQ(read->Flags, 0u);
    EXPECT_EQ(read->Pixels, original->Pixels);
    EXPECT_EQ(read->Palette, original->Palette);
    EXPECT_FALSE(LoadSkinFile(sys, "missing.pcx"));
    EXPECT_FALSE(LoadSkinFile(sys, "sub"));  // a folder is not a skin
    EXPECT_TRUE(sys.messages.empty());
}

}  // namespace
}  // namespace varp
