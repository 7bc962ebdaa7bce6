// Damaged and hostile model files: each is refused with its message and nothing changes.
#include <gtest/gtest.h>

#include "commands/ModelFiles.h"
#include "formats/Md2Format.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

using test::GetField;
using test::SetField;

class HostileMd2 : public ::testing::Test {
  protected:
    HostileMd2() : app(std::make_unique<App>(sys)) {
        app->BaseFolder = dir.SystemPath();
        test::TestModel m = test::SquareModel();
        m.skins = {"skin.pcx"};
        good = test::MakeMd2(m);
        dir.Write("skin.pcx", test::MakePcx(8, 8));
        dir.Write("good.md2", good);
        EXPECT_EQ(LoadModel(*app, "good.md2"), 1);
        sys.messages.clear();
        app->Triangles[1].Flags = Selected;  // user state that must survive a refusal
    }

    // Loads `bytes` as a model and expects it refused with `message`, the Workspace untouched.
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& message) {
        dir.Write("bad.md2", bytes);
        sys.messages.clear();
        const SkinImage* skin = app->CurrentSkin;
        EXPECT_EQ(LoadModel(*app, "bad.md2"), 0);
        EXPECT_EQ(sys.messages, std::vector<std::string>{message});
        EXPECT_EQ(app->NumTriangles, 2);
        EXPECT_EQ(app->NumTexCoords, 4);
        EXPECT_EQ(app->SkinWidth, 8);
        EXPECT_EQ(app->Triangles[1].Flags, Selected);
        EXPECT_EQ(app->Triangles[1].Vertex[2], 3);
        EXPECT_EQ(app->CurrentSkin, skin);
        EXPECT_EQ(app->Skins.size(), 1u);
        EXPECT_EQ(app->Frames.size(), 1u);
        EXPECT_EQ(app->ModelFileImage, good);
    }

    std::vector<uint8_t> With(size_t offset, int32_t value) {
        std::vector<uint8_t> f = good;
        SetField(f, offset, value);
        return f;
    }

    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::unique_ptr<App> app;
    std::vector<uint8_t> good;
};

std::string Damaged(const std::string& what) {
    return "This MD2 is damaged: " + what + ".";
}

TEST_F(HostileMd2, EveryTruncationBeforeTheGlCommandsAndAForeignIdentAreRefused) {
    const auto at = [&](md2::Field f) { return static_cast<size_t>(GetField(good, f)); };
    for (size_t cut = 0; cut < at(md2::OfsGlCmds); ++cut) {
        std::string message;
        if (cut < 4)
            message = "This is not an MD2!";
        else if (cut < 68)
            message = Damaged("its header is cut short");
        else if (cut < at(md2::OfsSt))
            message = Damaged("its skin names run past the end of the file");
        else if (cut < at(md2::OfsTris))
            message = Damaged("its skin coordinates run past the end of the file");
        else if (cut < at(md2::OfsFrames))
            message = Damaged("its triangles run past the end of the file");
        else
            message = Damaged("its frames run past the end of the file");
        SCOPED_TRACE(cut);
        ExpectRefused(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)),
                      message);
    }
    // Another ident is named as such before the short header is.
    ExpectRefused({'I', 'D', 'P', '3', 0, 0, 0, 0}, "This is not an MD2!");
}

TEST_F(HostileMd2, CountsBeyondWhatTheEditorHoldsAreRefused) {
    ExpectRefused(With(md2::NumTris, 4097),
                  "This MD2 has 4097 triangles, more than the 4096 this editor can hold.");
    ExpectRefused(With(md2::NumSt, 12289),
                  "This MD2 has 12289 skin coordinates, more than the 12288 this editor can hold.");
    ExpectRefused(With(md2::NumXyz, 2049),
                  "This MD2 has 2049 vertices per frame, more than the 2048 this editor can hold.");
    ExpectRefused(With(md2::NumFrames, -1), Damaged("its header holds a negative count"));
    ExpectRefused(With(md2::NumSkins, INT32_MIN), Damaged("its header holds a negative count"));
    ExpectRefused(With(md2::SkinWidth, 0),
                  "This MD2 declares a skin of 0 x 8 texels, which this editor cannot show.");
    ExpectRefused(With(md2::SkinHeight, 4097),
                  "This MD2 declares a skin of 8 x 4097 texels, which this editor cannot show.");
}

TEST_F(HostileMd2, OffsetsOutsideTheFileAreRefused) {
    ExpectRefused(With(md2::OfsSkins, static_cast<int32_t>(good.size()) - 63),
                  Damaged("its skin names run past the end of the file"));
    ExpectRefused(With(md2::OfsSt, -4),
                  Damaged("its skin coordinates run past the end of the file"));
    ExpectRefused(With(md2::OfsTris, INT32_MAX),
                  Damaged("its triangles run past the end of the file"));
    ExpectRefused(With(md2::NumFrames, 1000000),
                  Damaged("its frames run past the end of the file"));
    ExpectRefused(With(md2::FrameSize, 44),
                  Damaged("its frame size does not match its vertex count"));
}

TEST_F(HostileMd2, NamesWithoutEndAndIndicesOutOfRangeAreRefused) {
    std::vector<uint8_t> f = good;
    std::fill_n(f.begin() + GetField(good, md2::OfsSkins), 64, 'a');
    ExpectRefused(f, Damaged("skin name 1 has no end"));

    const size_t tris = static_cast<size_t>(GetField(good, md2::OfsTris));
    f = good;
    md2::PutShort(f.data() + tris + 12 + 4, 4);  // triangle 1, vertex of corner 2
    ExpectRefused(f, Damaged("triangle 1 uses vertex 4 of 4"));
    f = good;
    md2::PutShort(f.data() + tris + 6, -1);  // triangle 0, coordinate of corner 0
    ExpectRefused(f, Damaged("triangle 0 uses skin coordinate -1 of 4"));
}

TEST_F(HostileMd2, CutsInsideTheGlCommandsAreHarmless) {
    // The reader does not use the stored GL commands; the writer builds its own.
    const size_t glcmds = static_cast<size_t>(GetField(good, md2::OfsGlCmds));
    dir.Write("cut.md2",
              std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(glcmds)));
    EXPECT_EQ(LoadModel(*app, "cut.md2"), 1);
    EXPECT_TRUE(sys.messages.empty());
}

TEST_F(HostileMd2, SixteenCharacterFrameNamesAreReadWithoutRunningOn) {
    std::vector<uint8_t> f = good;
    const size_t frames = static_cast<size_t>(GetField(good, md2::OfsFrames));
    std::fill_n(f.begin() + static_cast<long>(frames + 24), 16, 'z');
    dir.Write("long.md2", f);
    ASSERT_EQ(LoadModel(*app, "long.md2"), 1);
    EXPECT_EQ(app->Frames[0]->Name, std::string(16, 'z'));
}

}  // namespace
}  // namespace varp
