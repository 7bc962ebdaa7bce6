// The main window's side of the game's data: a frame group played at 10 frames a second, the
// notice about the game palette, the menu icon.
#include <gtest/gtest.h>

#include <utility>

#include "formats/Pcx.h"
#include "frame/Commands.h"
#include "frame/MenuIcon.h"
#include "support/TestWindow.h"

namespace varp {
namespace {

class GameFrames : public ::testing::Test, public test::TestWindow {
  protected:
    GameFrames() {
        test::TestModel m = test::SquareModel();
        m.skins = {"sq/skin.pcx"};
        // Wound to face +x, where a model faces.
        m.triangles = {test::Tri(0, 2, 1, 0, 2, 1), test::Tri(0, 3, 2, 0, 3, 2)};
        for (const char* name : {"stand01", "stand02", "stand03", "pain01"}) {
            m.frames.push_back(m.frames[0]);
            m.frames.back().name = name;
        }
        m.frames.erase(m.frames.begin());
        Open(m, "sq");
    }
};

TEST_F(GameFrames, SpacePlaysTheCurrentGroupInALoopAndTheSelectorFollows) {
    // The open's full render is indexed for painting once the window is idle.
    EXPECT_EQ(std::exchange(frame.timers, {}), (std::map<int, int>{{MainWnd::TexelIndexTimer, 0}}));
    Command(CmdPlayAnimation);
    EXPECT_EQ(frame.timers, (std::map<int, int>{{MainWnd::AnimationTimer, 100}}));
    EXPECT_TRUE(wnd->IsChecked(CmdPlayAnimation));
    std::vector<int> shown;
    for (int tick = 0; tick < 4; ++tick) {
        wnd->OnTimer(MainWnd::AnimationTimer);
        shown.push_back(app->CurrentFrameIndex);
        EXPECT_EQ(frame.selected[FrameSelectorId], app->CurrentFrameIndex);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1}));
    // A frame alone in its group stays; a second Space stops the timer, and the frame shown is
    // indexed for painting once the window is idle.
    wnd->OnFrameSelectionChange(3);
    wnd->OnTimer(MainWnd::AnimationTimer);
    EXPECT_EQ(app->CurrentFrameIndex, 3);
    Command(CmdPlayAnimation);
    EXPECT_EQ(frame.timers, (std::map<int, int>{{MainWnd::TexelIndexTimer, 0}}));
    EXPECT_FALSE(wnd->IsChecked(CmdPlayAnimation));
    EXPECT_FALSE(wnd->ModelView().TexelIndexReady());
    wnd->OnTimer(MainWnd::TexelIndexTimer);
    EXPECT_TRUE(wnd->ModelView().TexelIndexReady());
    EXPECT_TRUE(frame.timers.empty());
}

TEST_F(GameFrames, TheNoticeShowsWhileTheSkinsPaletteIsNotTheGames) {
    EXPECT_EQ(frame.status[StatusField::Notice], "");
    dir.Write("pics/colormap.pcx", test::MakePcx(2, 2));
    app->Game.reset();
    app->CurrentSkin->Palette[0] = 1;
    Command(CmdSkinStore);
    EXPECT_EQ(frame.status[StatusField::Notice],
              "The game draws this skin with its own palette (pics/colormap.pcx), not the skin's.");
    Command(CmdUseGamePalette);
    EXPECT_EQ(frame.status[StatusField::Notice], "");
}

TEST_F(GameFrames, TheMenuIconIsTheFrameSeenFromTheFrontOnIndexZero) {
    Command(CmdMakeMenuIcon);
    const std::string path = dir.Path() + "/sq/skin_i.pcx";
    EXPECT_EQ(sys.messages, std::vector<std::string>{"The menu icon is saved as " + path + "."});
    const std::unique_ptr<SkinImage> icon = DecodePcx(ByteView(test::ReadFileBytes(path)));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->Width, 32);
    ASSERT_EQ(icon->Height, 32);
    EXPECT_EQ(icon->Palette, app->CurrentSkin->Palette);
    // The 8 x 8 skin's texel (s, t) is s + 3t: its top row is t = 7, up the model's face, and
    // the model's left (+y) is on the right. A ring of background is left round it.
    const auto row = [&](int y) {
        return std::vector<uint8_t>(icon->Pixels.begin() + 32 * y,
                                    icon->Pixels.begin() + 32 * y + 32);
    };
    using Row = std::vector<uint8_t>;
    EXPECT_EQ(row(0), Row(32, 0));
    EXPECT_EQ(row(1), (Row{0,  21, 21, 21, 21, 21, 22, 22, 22, 22, 23, 23, 23, 23, 24, 24,
                           24, 24, 24, 25, 25, 25, 25, 26, 26, 26, 26, 27, 27, 27, 28, 0}));
    EXPECT_EQ(row(30), (Row{0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3,
                            3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 0}));
    EXPECT_EQ(row(31), Row(32, 0));
    for (int y = 0; y < 32; ++y) {
        EXPECT_EQ(icon->Pixels[32 * y], 0);
        EXPECT_EQ(icon->Pixels[32 * y + 31], 0);
    }
}

}  // namespace
}  // namespace varp
