// varp-tool's picture commands: a skin exported and imported back is the same skin, ImageMagick
// reads every picture written, and a picture that claims an absurd size is refused unread.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/TempDir.h"

namespace varp {
namespace {

// The command's output (stderr folded in) and, last, its exit status.
std::string Shell(const std::string& command) {
    FILE* p = popen((command + " 2>&1; echo $?").c_str(), "r");
    std::string out;
    std::array<char, 4096> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
    pclose(p);
    return out;
}

const std::string Tool = std::string(VARP_TOOL) + " ";

TEST(PictureTool, ExportedSkinsImportBackTexelForTexelAndImageMagickReadsThem) {
    test::TempDir dir;
    const std::string d = dir.Path() + "/", skin = d + "models/demo/skin.pcx";
    ASSERT_EQ(Shell(Tool + "make-sample " + dir.Path()), "0\n");
    const struct {
        const char* options;
        const char* file;
        const char* identified;  // kind, size, and for PNG the colour type: 3 palette, 6 RGBA
    } cases[] = {{"--indexed", "a.png", "PNG 256x256 3"},
                 {"", "b.png", "PNG 256x256 6"},
                 {"--scale 3", "c.png", "PNG 768x768 6"},
                 {"--scale 2", "d.tga", "TGA 512x512 srgba"}};
    for (const auto& c : cases) {
        const std::string picture = d + c.file, back = picture + ".pcx";
        ASSERT_EQ(Shell(Tool + "export " + skin + " " + picture + " " + c.options), "0\n");
        const bool png = std::string(c.file).ends_with(".png");
        EXPECT_EQ(Shell("identify -format '%m %wx%h " +
                        std::string(png ? "%[png:IHDR.color-type-orig]" : "%[channels]") + "' " +
                        picture),
                  std::string(c.identified) + "0\n");
        // The demo palette repeats a colour: the texels keep the entry they had.
        ASSERT_EQ(Shell(Tool + "import " + picture + " " + back + " --palette " + skin +
                        " --size 256x256"),
                  "0\n");
        EXPECT_EQ(test::ReadFileBytes(back), test::ReadFileBytes(skin)) << c.file;
    }
    EXPECT_EQ(Shell(Tool + "template --base " + dir.Path() + " models/demo/tris.md2 " + d +
                    "t.png --scale 2 --skin 0 && identify -format '%m %wx%h' " + d + "t.png"),
              "PNG 512x512" + std::string("0\n"));
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t c = ~0u;
    for (unsigned char b : bytes) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = c >> 1 ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

std::string Big32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Chunk(const std::string& typeAndData) {
    return Big32(uint32_t(typeAndData.size() - 4)) + typeAndData + Big32(Crc32(typeAndData));
}

TEST(PictureTool, APictureClaimingAnAbsurdSizeIsRefusedAndNothingIsWritten) {
    test::TempDir dir;
    ASSERT_EQ(Shell(Tool + "make-sample " + dir.Path()), "0\n");
    // A whole file but for its pixels: the header alone decides.
    const std::string png =
        "\x89PNG\r\n\x1a\n" +
        Chunk("IHDR" + Big32(100000) + Big32(100000) + std::string("\x08\x06\0\0\0", 5)) +
        Chunk("IDAT") + Chunk("IEND");
    const std::string in = dir.Write("huge.png", std::vector<uint8_t>(png.begin(), png.end()));
    const std::string out = dir.Write("out.pcx", {1, 2, 3});
    EXPECT_EQ(Shell(Tool + "import " + in + " " + out + " --palette " + dir.Path() +
                    "/models/demo/skin.pcx"),
              "varp-tool: The picture " + in +
                  " is 100000 x 100000 pixels: larger than Varp imports (16384 on a side).\n1\n");
    EXPECT_EQ(test::ReadFileBytes(out), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace varp
