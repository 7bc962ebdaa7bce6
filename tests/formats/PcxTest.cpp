// PCX decoding and encoding, in memory: run-length rules, image bounds, the file this system
// writes.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/Pcx.h"

namespace varp {
namespace {

using Bytes = std::vector<uint8_t>;

// A file with the given bounds and pixel stream, and a palette of zeros. Rows are as long as
// the width unless `bytesPerLine` says otherwise.
Bytes RawPcx(int xmin, int ymin, int xmax, int ymax, const Bytes& stream, int bytesPerLine = 0,
             int bits = 8, int planes = 1) {
    Bytes f(PcxHeaderSize, 0);
    f.reserve(PcxHeaderSize + stream.size() + 1 + PaletteSize);
    const int bounds[5] = {xmin, ymin, xmax, ymax, 0};
    for (int i = 0; i < 4; ++i) {
        f[4 + 2 * i] = static_cast<uint8_t>(bounds[i]);
        f[5 + 2 * i] = static_cast<uint8_t>(bounds[i] >> 8);
    }
    if (bytesPerLine == 0) bytesPerLine = std::max(xmax - xmin + 1, 0);
    f[3] = static_cast<uint8_t>(bits);
    f[65] = static_cast<uint8_t>(planes);
    f[66] = static_cast<uint8_t>(bytesPerLine);
    f[67] = static_cast<uint8_t>(bytesPerLine >> 8);
    f.insert(f.end(), stream.begin(), stream.end());
    f.push_back(0x0C);
    f.insert(f.end(), PaletteSize, 0);
    return f;
}

TEST(Pcx, EveryColourSurvivesTheEncoderAndHighValuesAreOnePixelRuns) {
    Bytes pixels(37 * 7), palette(PaletteSize);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint8_t>(i * 5 + 1);
    const Bytes file = EncodePcx(pixels.data(), 37, 7, palette.data());
    EXPECT_EQ(file.size(), 128 + pixels.size() + 64 + 1 + 768);  // 64 pixels of 0xC0 and above
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 16),
              (Bytes{0x0A, 5, 1, 8, 0, 0, 0, 0, 36, 0, 6, 0, 37, 0, 7, 0}));
    EXPECT_EQ(Bytes(file.begin() + 65, file.begin() + 70), (Bytes{1, 37, 0, 2, 0}));
    EXPECT_EQ(Bytes(file.begin() + 128 + 27, file.begin() + 128 + 32),
              (Bytes{0xBD, 0xC1, 0xC4, 0xC1, 0xCB}));  // pixels 27 to 29: 189, 196, 203
    EXPECT_EQ(file[file.size() - 769], 0x0C);

    const std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(file));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Width, 37);
    EXPECT_EQ(skin->Height, 7);
    EXPECT_EQ(skin->Pixels, pixels);
    EXPECT_EQ(skin->StoredPixels, pixels);
    EXPECT_EQ(Bytes(skin->Palette.begin(), skin->Palette.end()), palette);
}

TEST(Pcx, DecodesRunsAcrossRowsAndRefusesWhatCannotBeAnImage) {
    Bytes run770(770, 0);
    run770[0] = 5;
    run770[1] = 0x0C;
    const struct {
        Bytes file;
        int width, height;
        Bytes pixels;
    } images[] = {
        // A run of zero writes nothing; runs cross the row end and stop at the image end.
        {RawPcx(0, 0, 2, 1, {0xC0, 0x55, 0xC4, 7, 0xC5, 9}), 3, 2, {7, 7, 7, 7, 9, 9}},
        {RawPcx(0, 0, 1, 0, {0xBF, 0x00}), 2, 1, {0xBF, 0}},
        {RawPcx(10, 20, 13, 21, {0xC8, 2}), 4, 2, Bytes(8, 2)},
        // Rows padded to an even length: the padding byte of each row is dropped, even inside a
        // run that crosses it.
        {RawPcx(0, 0, 2, 1, {1, 2, 0xC3, 3, 4, 5}, 4), 3, 2, {1, 2, 3, 3, 4, 5}},
        // The stream may run on into the palette: 5, 0x0C and 768 zeros are 770 pixels.
        {RawPcx(0, 0, 769, 0, {5}), 770, 1, run770},
    };
    for (const auto& c : images) {
        std::string problem = "stale";
        const std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(c.file), &problem);
        EXPECT_EQ(problem, "");
        ASSERT_TRUE(skin);
        EXPECT_EQ(skin->Width, c.width);
        EXPECT_EQ(skin->Height, c.height);
        EXPECT_EQ(skin->Pixels, c.pixels);
    }

    const std::string damaged = "This PCX is damaged: ",
                      early = damaged + "its pixel data ends before the image does.",
                      size = damaged + "its size is not an image's.",
                      import = "; skins use 256 colours: import it with Skins > Import Image.";
    Bytes runAtEnd = RawPcx(0, 0, 799, 0, {});
    runAtEnd.back() = 0xC5;  // a run byte as the last byte has no value to repeat
    const std::pair<Bytes, std::string> refused[] = {
        {RawPcx(0, 0, 770, 0, {5}), early},
        {runAtEnd, early},
        {RawPcx(5, 0, 4, 0, {1}), size},
        {RawPcx(0, 5, 0, 4, {1}), size},
        {RawPcx(0, 0, 40000, 0, Bytes(2000, 0xFF)), size},
        {RawPcx(0, 0, 3, 0, {1, 2, 3, 4}, 3), damaged + "its rows are shorter than its width."},
        {Bytes(128 + 767, 0), damaged + "it is too short for a header and a palette."},
        {RawPcx(0, 0, 3, 0, Bytes(12, 1), 4, 8, 3), "This PCX holds 24-bit colour" + import},
        {RawPcx(0, 0, 3, 0, Bytes(4, 1), 2, 1, 4),
         "This PCX holds 16 colours (4 bits a pixel)" + import},
        {RawPcx(0, 0, 3, 0, Bytes(4, 1), 4, 4, 1),
         "This PCX holds 16 colours (4 bits a pixel)" + import},
    };
    for (const auto& [file, message] : refused) {
        std::string problem;
        EXPECT_FALSE(DecodePcx(ByteView(file), &problem));
        EXPECT_EQ(problem, message);
    }
}

}  // namespace
}  // namespace varp
