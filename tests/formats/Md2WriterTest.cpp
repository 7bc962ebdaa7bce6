// Writing the model back: rebuilt sections, copied frames, skins the file cannot name.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "formats/Md2Layout.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using Bytes = std::vector<uint8_t>;

class Md2Writer : public ::testing::Test {
  protected:
    Md2Writer() : app(std::make_unique<App>(sys)) {
        app->BaseFolder = dir.SystemPath();
        test::TestModel m = test::SquareModel();
        m.version = 6;
        m.skins = {"models/a.pcx", "models/b.pcx"};
        m.coords = {{0, 0}, {7, 0}, {7, 0}, {7, 7}, {0, 7}};  // a duplicate to merge
        m.triangles = {test::Tri(0, 1, 2, 0, 1, 3), test::Tri(0, 2, 3, 0, 3, 4)};
        m.frames.push_back(m.frames[0]);
        m.frames[1].vertices[1] = {{9, 9, 9}};
        original = test::MakeMd2(m);
        dir.Write("tris.md2", original);
        EXPECT_EQ(LoadModel(*app, "tris.md2"), 1);
        sys.messages.clear();
    }
    Bytes Saved(const std::string& name = "out.md2") {
        EXPECT_EQ(SaveModel(*app, dir.SystemPath() + "\\" + name), 1);
        return test::ReadFileBytes(dir.Path() + "/" + name);
    }
    std::string NameAt(const Bytes& file, size_t offset) {
        return reinterpret_cast<const char*>(&file[offset]);
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    Bytes original;
};

TEST_F(Md2Writer, KeepsIdentityVersionAndFramesAndLaysOutTheRestAfresh) {
    const Bytes out = Saved();
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 8), Bytes(original.begin(), original.begin() + 8));
    std::vector<int32_t> header;
    for (size_t f = md2::SkinWidth; f < md2::HeaderSize; f += 4)
        header.push_back(ByteView(out).I32(f));
    const int32_t glcmds = header[7];
    // Skin size, frame size, counts (the points merged), then the sections in file order.
    EXPECT_EQ(header, (std::vector<int32_t>{8, 8, 56, 2, 4, 4, 2, glcmds, 2, 68, 196, 212, 236, 348,
                                            348 + 4 * glcmds}));
    EXPECT_EQ(out.size(), static_cast<size_t>(348 + 4 * glcmds));
    const auto frames = original.begin() + ByteView(original).I32(md2::OfsFrames);
    EXPECT_EQ(Bytes(out.begin() + 236, out.begin() + 348), Bytes(frames, frames + 112));
    EXPECT_EQ(NameAt(out, 68), "models/a.pcx");
    EXPECT_EQ(out[68 + 64 + 12], 0);
    // Triangle 1 re-indexed to the merged table: vertices 0 2 3, points 0 2 3.
    std::vector<int16_t> tri1;
    for (size_t i = 0; i < 6; ++i) tri1.push_back(ByteView(out).I16(212 + 12 + 2 * i));
    EXPECT_EQ(tri1, (std::vector<int16_t>{0, 2, 3, 0, 2, 3}));
}

TEST_F(Md2Writer, UnlinkedSkinsAreLeftOutAndANameTooLongIsRefusedBeforeAnythingIsWritten) {
    app->Skins[0]->Flags = Unlinked;
    Bytes out = Saved();
    EXPECT_EQ(ByteView(out).I32(md2::NumSkins), 1);
    EXPECT_EQ(NameAt(out, 68), "models/b.pcx");

    app->Skins[1]->Name = std::string(64, 'n');
    EXPECT_EQ(SaveModel(*app, dir.SystemPath() + "\\new.md2"), 0);
    EXPECT_EQ(sys.messages, std::vector<std::string>{"The skin name \"" + std::string(64, 'n') +
                                                     "\" is too long for a model file (63 "
                                                     "characters at most)."});
    EXPECT_TRUE(test::ReadFileBytes(dir.Path() + "/new.md2").empty());
    app->Skins[1]->Name = std::string(63, 'n');
    EXPECT_EQ(NameAt(Saved(), 68), std::string(63, 'n'));
}

}  // namespace
}  // namespace varp
