// varp-tool run as a user runs it: the demo folder, info as JSON, resave, render, refusals; a skin
// exported and imported back is the same skin, ImageMagick reads every picture written, and a
// picture that claims an absurd size is refused unread.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <string>

#include "formats/Md2Format.h"
#include "support/Md2Files.h"
#include "support/PakFiles.h"
#include "support/TempDir.h"

namespace varp {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    bool Says(const std::string& part) const { return out.find(part) != std::string::npos; }
    // The output, then the exit status on a line of its own.
    std::string All() const { return out + std::to_string(status) + "\n"; }
};

// Runs a shell command; stderr is folded into the output.
ToolRun Shell(const std::string& command) {
    ToolRun r;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    std::array<char, 4096> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

ToolRun Tool(const std::string& args) {
    return Shell(std::string(VARP_TOOL) + " " + args);
}

TEST(Tool, PaksAreListedAndExtractedAndTheirModelsReadAsLooseOnes) {
    test::TempDir dir;
    const std::vector<uint8_t> model = test::MakeMd2(test::SquareModel());
    dir.Write("pak0.pak", test::MakePak({{"models/sq/tris.md2", model}, {"../up.pcx", {1}}}));
    const std::string pak = dir.Path() + "/pak0.pak";
    EXPECT_EQ(Tool("pak list " + pak).out,
              "varp-tool: " + pak + ": 1 names that lead outside the base folder are left out, " +
                  "such as \"../up.pcx\"\n       " + std::to_string(model.size()) +
                  "  models/sq/tris.md2\n");
    EXPECT_EQ(Tool("pak extract " + pak + " models/sq/tris.md2 " + dir.Path() + "/x.md2").status,
              0);
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/x.md2"), model);
    const ToolRun info = Tool("info --json --no --base " + dir.Path() + " models/sq/tris.md2");
    EXPECT_TRUE(info.Says("\"ModelLoaded\": 1")) << info.out;
}

TEST(Tool, TheDemoFolderReadsBackResavesAsItWasAndRendersThroughItsPalette) {
    test::TempDir dir;
    ASSERT_EQ(Tool("make-sample " + dir.Path()).status, 0);
    const std::string model = " --base " + dir.Path() + " models/demo/tris.md2";
    const ToolRun info = Tool("info --json" + model);
    EXPECT_EQ(info.status, 0) << info.out;
    std::string path;  // the second skin's full path, its backslashes escaped
    for (char c : dir.SystemPath() + "\\models\\demo\\skin2.pcx")
        path += c == '\\' ? "\\\\" : std::string(1, c);
    for (const std::string& part :
         {std::string("\"ModelLoaded\": 1"), std::string("\"ident\": \"IDP2\""),
          std::string("\"SkinWidth\": 256"), std::string("\"Name\": \"models/demo/skin.pcx\""),
          "\"Path\": \"" + path + "\"", std::string("\"wave08\""), std::string("\"Messages\": []")})
        EXPECT_TRUE(info.Says(part)) << part;
    EXPECT_FALSE(info.Says("\"OnDisk\": 0"));

    EXPECT_EQ(Tool("resave" + model + " " + dir.Path() + "/again.md2").status, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/again.md2"),
              test::ReadFileBytes(dir.Path() + "/models/demo/tris.md2"));

    // The palette pane: cell 37 (column 5, row 2) in its own colour, framed by its marker.
    const std::vector<uint8_t> skin = test::ReadFileBytes(dir.Path() + "/models/demo/skin.pcx");
    const uint8_t* palette = skin.data() + skin.size() - 768;
    auto rgb = [&](int i) { return qRgb(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]); };
    const std::string png = dir.Path() + "/out.png";
    ASSERT_EQ(Tool("render" + model + " --view palette --size 192x192 --out " + png +
                   " --paint-colour 37 --background 37")
                  .status,
              0);
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(192, 192));
    EXPECT_EQ(image.pixel(5 * 12 + 1, 2 * 12 + 1), rgb(37));
    EXPECT_EQ(image.pixel(5 * 12, 2 * 12), rgb(256 - (30 - 2 - 5) / 2));
    EXPECT_EQ(image.pixel(191, 191), rgb(255));
    for (const char* wrong : {" --view iso --size 0x10", " --view side --size 10x10",
                              " --view skin --size 10x10 --frame 99"})
        EXPECT_EQ(Tool("render" + model + wrong + " --out x.png").status, 2) << wrong;
}

TEST(Tool, MessagesOfTheReaderReachTheReportAndTheExitStatus) {
    test::TempDir dir;
    test::TestModel m = test::SquareModel();
    m.skins = {"miss\xe9.pcx"};  // Latin-1, not UTF-8: escaped to stay valid JSON
    const std::string path = dir.Write("m.md2", test::MakeMd2(m));
    ToolRun r = Tool("info --json --base " + dir.Path() + " " + path);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.Says("\"miss\\u00e9.pcx\""));
    EXPECT_TRUE(r.Says("varp: External PCX does not exist....creating temporary skin.\n"));
    EXPECT_TRUE(
        r.Says("\"Messages\": [\n    \"External PCX does not exist....creating "
               "temporary skin.\"\n  ]"));
    EXPECT_TRUE(r.Says("\"OnDisk\": 0"));

    std::vector<uint8_t> bad = test::MakeMd2(m);
    md2::PutInt(&bad[md2::NumTris], 5000);
    r = Tool("info --json " + dir.Write("bad.md2", bad));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.Says("\"ModelLoaded\": 0"));
    EXPECT_TRUE(r.Says("This MD2 has 5000 triangles, more than the 4096 this editor can hold."));
    r = Tool("resave --base " + dir.Path() + " " + path + " " + dir.Path() + "/no/such/out.md2");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.Says("varp: Error Saving:3\n"));

    // A model without skins: the answer to the scan question comes from --yes or --no.
    dir.Write("noskin/extra.pcx", test::MakePcx(8, 8));
    const std::string bare = dir.Write("noskin/m.md2", test::MakeMd2(test::SquareModel()));
    r = Tool("info --json --yes " + bare);
    EXPECT_TRUE(r.Says("[Yes]"));
    EXPECT_TRUE(r.Says("\"Unlinked\": 1"));
    EXPECT_TRUE(Tool("info --json --no " + bare).Says("\"Skins\": []"));
    EXPECT_EQ(Tool("info").status, 2);
}

TEST(PictureTool, ExportedSkinsImportBackTexelForTexelAndImageMagickReadsThem) {
    test::TempDir dir;
    const std::string d = dir.Path() + "/", skin = d + "models/demo/skin.pcx";
    ASSERT_EQ(Tool("make-sample " + dir.Path()).All(), "0\n");
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
        ASSERT_EQ(Tool("export " + skin + " " + picture + " " + c.options).All(), "0\n");
        const bool png = std::string(c.file).ends_with(".png");
        EXPECT_EQ(
            Shell("identify -format '%m %wx%h " +
                  std::string(png ? "%[png:IHDR.color-type-orig]" : "%[channels]") + "' " + picture)
                .All(),
            std::string(c.identified) + "0\n");
        // The demo palette repeats a colour: the texels keep the entry they had.
        ASSERT_EQ(
            Tool("import " + picture + " " + back + " --palette " + skin + " --size 256x256").All(),
            "0\n");
        EXPECT_EQ(test::ReadFileBytes(back), test::ReadFileBytes(skin)) << c.file;
    }
    EXPECT_EQ(Tool("template --base " + dir.Path() + " models/demo/tris.md2 " + d +
                   "t.png --scale 2 --skin 0 && identify -format '%m %wx%h' " + d + "t.png")
                  .All(),
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
    ASSERT_EQ(Tool("make-sample " + dir.Path()).All(), "0\n");
    // A whole file but for its pixels: the header alone decides.
    const std::string png =
        "\x89PNG\r\n\x1a\n" +
        Chunk("IHDR" + Big32(100000) + Big32(100000) + std::string("\x08\x06\0\0\0", 5)) +
        Chunk("IDAT") + Chunk("IEND");
    const std::string in = dir.Write("huge.png", std::vector<uint8_t>(png.begin(), png.end()));
    const std::string out = dir.Write("out.pcx", {1, 2, 3});
    EXPECT_EQ(
        Tool("import " + in + " " + out + " --palette " + dir.Path() + "/models/demo/skin.pcx")
            .All(),
        "varp-tool: The picture " + in +
            " is 100000 x 100000 pixels: larger than Varp imports (16384 on a side).\n1\n");
    EXPECT_EQ(test::ReadFileBytes(out), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace varp
