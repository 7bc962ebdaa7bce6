// varp-tool run as a user runs it: the demo folder, info as JSON, resave, and refusals.
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

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
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
    EXPECT_TRUE(Contains(info.out, "\"ModelLoaded\": 1")) << info.out;
}

TEST(Tool, TheDemoFolderReadsBackWithItsSkinsAndFrames) {
    test::TempDir dir;
    ASSERT_EQ(Tool("make-sample " + dir.Path()).status, 0);
    const ToolRun info = Tool("info --json --base " + dir.Path() + " models/demo/tris.md2");
    EXPECT_EQ(info.status, 0) << info.out;
    EXPECT_TRUE(Contains(info.out, "\"ModelLoaded\": 1"));
    EXPECT_TRUE(Contains(info.out, "\"ident\": \"IDP2\""));
    EXPECT_TRUE(Contains(info.out, "\"SkinWidth\": 256"));
    EXPECT_TRUE(Contains(info.out, "\"Name\": \"models/demo/skin.pcx\""));
    std::string path = dir.SystemPath() + "\\models\\demo\\skin2.pcx";
    std::string escaped;
    for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_TRUE(Contains(info.out, "\"Path\": \"" + escaped + "\"")) << info.out;
    EXPECT_TRUE(Contains(info.out, "\"OnDisk\": 1"));
    EXPECT_FALSE(Contains(info.out, "\"OnDisk\": 0"));
    EXPECT_TRUE(Contains(info.out, "\"stand01\""));
    EXPECT_TRUE(Contains(info.out, "\"wave08\""));
    EXPECT_TRUE(Contains(info.out, "\"Messages\": []"));

    // The resaved model is the same file: the demo was written by the same writer.
    const std::string out = dir.Path() + "/again.md2";
    EXPECT_EQ(Tool("resave --base " + dir.Path() + " models/demo/tris.md2 " + out).status, 0);
    EXPECT_EQ(test::ReadFileBytes(out), test::ReadFileBytes(dir.Path() + "/models/demo/tris.md2"));
}

TEST(Tool, MessagesOfTheReaderReachTheReportAndTheExitStatus) {
    test::TempDir dir;
    test::TestModel m = test::SquareModel();
    m.skins = {"missing.pcx"};
    const std::string path = dir.Write("m.md2", test::MakeMd2(m));
    ToolRun info = Tool("info --json --base " + dir.Path() + " " + path);
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(
        Contains(info.out, "varp: External PCX does not exist....creating temporary skin.\n"));
    EXPECT_TRUE(Contains(
        info.out,
        "\"Messages\": [\n    \"External PCX does not exist....creating temporary skin.\"\n  ]"));
    EXPECT_TRUE(Contains(info.out, "\"OnDisk\": 0"));

    std::vector<uint8_t> bad = test::MakeMd2(m);
    test::SetField(bad, md2::NumTris, 5000);
    const std::string badPath = dir.Write("bad.md2", bad);
    info = Tool("info --json " + badPath);
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(Contains(info.out, "\"ModelLoaded\": 0"));
    EXPECT_TRUE(Contains(info.out,
                         "This MD2 has 5000 triangles, more than the 4096 this editor can hold."));

    const ToolRun resave =
        Tool("resave --base " + dir.Path() + " " + path + " " + dir.Path() + "/no/such/out.md2");
    EXPECT_EQ(resave.status, 1);
    EXPECT_TRUE(Contains(resave.out, "varp: Error Saving:3\n"));

    // A model without skins: the answer to the scan question comes from --yes or --no.
    dir.Write("noskin/extra.pcx", test::MakePcx(8, 8));
    const std::string bare = dir.Write("noskin/m.md2", test::MakeMd2(test::SquareModel()));
    info = Tool("info --json --yes " + bare);
    EXPECT_TRUE(Contains(info.out, "[Yes]"));
    EXPECT_TRUE(Contains(info.out, "\"Unlinked\": 1"));
    info = Tool("info --json --no " + bare);
    EXPECT_TRUE(Contains(info.out, "\"Skins\": []"));
    EXPECT_EQ(Tool("info").status, 2);
}

TEST(Tool, RendersEachPaneThroughTheSkinPalette) {
    test::TempDir dir;
    ASSERT_EQ(Tool("make-sample " + dir.Path()).status, 0);
    const std::string model = " --base " + dir.Path() + " models/demo/tris.md2";
    const std::vector<uint8_t> skinFile = test::ReadFileBytes(dir.Path() + "/models/demo/skin.pcx");
    const uint8_t* palette = skinFile.data() + skinFile.size() - 768;
    auto rgb = [&](int index) {
        return qRgb(palette[3 * index], palette[3 * index + 1], palette[3 * index + 2]);
    };

    // The palette pane: cell 37 (column 5, row 2) in its own colour, framed by its marker.
    ToolRun r = Tool("render" + model + " --view palette --size 192x192 --out " + dir.Path() +
                     "/pal.png --paint-colour 37 --background 37");
    ASSERT_EQ(r.status, 0) << r.out;
    QImage pal(QString::fromStdString(dir.Path() + "/pal.png"));
    ASSERT_EQ(pal.size(), QSize(192, 192));
    EXPECT_EQ(pal.pixel(5 * 12 + 1, 2 * 12 + 1), rgb(37));
    EXPECT_EQ(pal.pixel(5 * 12, 2 * 12), rgb(256 - (30 - 2 - 5) / 2));
    EXPECT_EQ(pal.pixel(191, 191), rgb(255));

    // The 3D view: the background in the corners, the model in the middle, any camera.
    r = Tool("render" + model + " --view iso --size 160x120 --background 7 --orbit 450,0 --out " +
             dir.Path() + "/iso.png");
    ASSERT_EQ(r.status, 0) << r.out;
    QImage iso(QString::fromStdString(dir.Path() + "/iso.png"));
    ASSERT_EQ(iso.size(), QSize(160, 120));
    EXPECT_EQ(iso.pixel(0, 0), rgb(7));
    EXPECT_NE(iso.pixel(80, 60), rgb(7));

    EXPECT_EQ(Tool("render" + model + " --view iso --size 0x10 --out x.png").status, 2);
    EXPECT_EQ(Tool("render" + model + " --view side --size 10x10 --out x.png").status, 2);
    EXPECT_EQ(Tool("render" + model + " --view skin --size 10x10 --out x.png --frame 99").status,
              2);
}

}  // namespace
}  // namespace varp
