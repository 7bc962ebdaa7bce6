// varp-tool run as a user runs it: the demo folder, info as JSON, resave, render, refusals.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <string>

#include "formats/Md2Format.h"
#include "support/Md2Files.h"
#include "support/TempDir.h"

namespace varp {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    bool Says(const std::string& part) const { return out.find(part) != std::string::npos; }
};

// Runs the tool with the given arguments; stderr is folded into the output.
ToolRun Tool(const std::string& args) {
    ToolRun r;
    FILE* p = popen((std::string(VARP_TOOL) + " " + args + " 2>&1").c_str(), "r");
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
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
    m.skins = {"missing.pcx"};
    const std::string path = dir.Write("m.md2", test::MakeMd2(m));
    ToolRun r = Tool("info --json --base " + dir.Path() + " " + path);
    EXPECT_EQ(r.status, 0);
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

}  // namespace
}  // namespace varp
