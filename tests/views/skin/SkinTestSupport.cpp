// Workspaces for the skin view tests: a small skin in memory, or the demo model from disk.
#include "views/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

#include "commands/ModelFiles.h"
#include "sample/Sample.h"

namespace varp::test {

std::unique_ptr<App> AppWithSkin(ScriptedPlatform& sys, int width, int height) {
    auto app = std::make_unique<App>(sys);
    app->SkinWidth = static_cast<int16_t>(width);
    app->SkinHeight = static_cast<int16_t>(height);
    auto skin = std::make_unique<SkinImage>();
    skin->Width = app->SkinWidth;
    skin->Height = app->SkinHeight;
    skin->Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int t = 0; t < height; ++t) {
        for (int s = 0; s < width; ++s) {
            skin->Pixels[static_cast<size_t>(t * width + s)] = TestTexel(s, t);
        }
    }
    skin->StoredPixels = skin->Pixels;
    app->Skins.push_back(std::move(skin));
    app->SelectSkin(0);
    app->ModelLoaded = 1;
    return app;
}

std::unique_ptr<App> AppWithSample(ScriptedPlatform& sys, const TempDir& dir) {
    std::string error;
    EXPECT_EQ(sample::WriteSampleBaseFolder(dir.Path(), &error), 1) << error;
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = dir.SystemPath();
    EXPECT_EQ(LoadModel(*app, "models\\demo\\tris.md2"), 1);
    EXPECT_TRUE(sys.messages.empty());
    return app;
}

}  // namespace varp::test
