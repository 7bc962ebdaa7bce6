// Skin names from a model that lead out of the base folder: the model opens, the user is told,
// a stand-in takes the texels, and nothing outside is read or written; the name goes back into
// the model as it came.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "commands/ModelFiles.h"
#include "formats/Md2Parse.h"
#include "skins/SkinSaving.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp {
namespace {

class HostileNames : public ::testing::Test {
  protected:
    HostileNames() {
        dir.Write("outside/skin.pcx", test::MakePcx(8, 8));
        dir.Write("base/sq/skin.pcx", test::MakePcx(8, 8));
        EXPECT_EQ(symlink((dir.Path() + "/outside/skin.pcx").c_str(),
                          (dir.Path() + "/base/sq/link.pcx").c_str()),
                  0);
        outside = test::ReadFileBytes(dir.Path() + "/outside/skin.pcx");
    }
    // Opens a model naming `skin`, paints its first texel and saves it and the model.
    std::unique_ptr<App> OpenPaintAndSave(const std::string& skin) {
        test::TestModel m = test::SquareModel();
        m.skins = {skin};
        dir.Write("base/sq/tris.md2", test::MakeMd2(m));
        auto app = std::make_unique<App>(sys);
        app->BaseFolder = dir.SystemPath() + "\\base";
        EXPECT_EQ(LoadModel(*app, "sq\\tris.md2"), 1);
        app->Skins[0]->Pixels[0] ^= 0x55;
        SaveSkin(*app, *app->Skins[0]);
        EXPECT_EQ(SaveModel(*app, app->BaseFolder + "\\sq\\tris.md2"), 1);
        return app;
    }
    test::TempDir dir;
    test::ScriptedPlatform sys;
    std::vector<uint8_t> outside;
};

TEST_F(HostileNames, AreNeitherReadNorWrittenAndGoBackIntoTheModelAsTheyCame) {
    const std::string names[] = {
        "../outside/skin.pcx",
        "sq/../../outside/skin.pcx",
        dir.Path() + "/outside/skin.pcx",
        "C:\\outside\\skin.pcx",
        "sq//skin.pcx",
        "\\\\host\\outside\\skin.pcx",
        "sq/sk\x01in.pcx",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        sys.messages.clear();
        sys.fileDialogs.clear();
        auto app = OpenPaintAndSave(name);
        EXPECT_EQ(sys.messages.at(0), "This model names a skin outside your base folder: " + name +
                                          "\nA temporary skin stands in for it; save it with "
                                          "Skins > Save As to put it where you choose.");
        EXPECT_EQ(sys.fileDialogs.size(), 1u);  // the save goes where the user chooses
        EXPECT_EQ(app->Skins[0]->Name, name);
        EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/outside/skin.pcx"), outside);
        Md2Model saved;
        ASSERT_EQ(ParseMd2(test::ReadFileBytes(dir.Path() + "/base/sq/tris.md2"), &saved), "");
        std::string written = name;
        std::replace(written.begin(), written.end(), '\\', '/');
        EXPECT_EQ(saved.SkinNames, std::vector<std::string>{written});
    }
}

TEST_F(HostileNames, ALinkInsideThatLeadsOutIsReadButSavedOnlyWhereTheUserChooses) {
    auto app = OpenPaintAndSave("sq/link.pcx");
    EXPECT_EQ(app->Skins[0]->Pixels[1], outside[128 + 1]);  // read: the first row has no runs
    EXPECT_EQ(sys.messages, std::vector<std::string>{"The file of the skin sq/link.pcx lies "
                                                     "outside your base folder: choose where to "
                                                     "save it."});
    EXPECT_EQ(sys.fileDialogs.size(), 1u);
    EXPECT_EQ(test::ReadFileBytes(dir.Path() + "/outside/skin.pcx"), outside);
}

}  // namespace
}  // namespace varp
