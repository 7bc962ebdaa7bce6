// The main window on the demo model: fixed pixel layout, minimum size, swapping the large panes,
// mode check marks from keys and buttons, selectors, and the quit question.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <string>

#include "desktop/MainWindow.h"
#include "desktop/ModeToolBar.h"
#include "desktop/PaneWidget.h"
#include "frame/Commands.h"
#include "frame/MainWnd.h"
#include "sample/Sample.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "views/Pane.h"

namespace varp::qt {
namespace {

constexpr const char* QuitQuestion =
    "All Unsaved data will be lost...\nAre you sure you want to quit?";

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : launchFolder_(QDir::currentPath()), app(platform) {
        std::string error;
        EXPECT_EQ(sample::WriteSampleBaseFolder(dir.Path(), &error), 1) << error;
        platform.settings["Project/BaseDir"] = dir.SystemPath();
        platform.commandLine = "varp -md2 " + dir.SystemPath() + "\\models\\demo\\tris.md2";
        window = std::make_unique<MainWindow>(app, nullptr);
        window->resize(800, 600);
        window->Start();
    }
    ~MainWindowTest() override {
        window.reset();
        QDir::setCurrent(launchFolder_);
    }

    void ShowActive() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }

    std::vector<int> Checked() {
        std::vector<int> ids;
        for (int id : {CmdCameraMode, CmdMixMode, CmdPaintMode, CmdMappingMode}) {
            const bool item = window->MenuAction(id)->isChecked();
            const bool button = window->ToolbarAction(id)->isChecked();
            EXPECT_EQ(item, button) << id;
            if (item) ids.push_back(id);
        }
        return ids;
    }

    QRect GeometryOf(Child child) { return window->FrameOf(child)->geometry(); }

    QString launchFolder_;
    test::TempDir dir;
    test::ScriptedPlatform platform;
    App app;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, ClientAreaEightHundredWideFollowsThePixelRules) {
    ShowActive();
    ASSERT_EQ(window->Client()->width(), 800);
    const int h = window->Client()->height();
    QComboBox* skins = window->Selector(SkinSelectorId);
    QComboBox* frames = window->Selector(FrameSelectorId);

    // Three pixels below the toolbar, which ends where the client area begins.
    EXPECT_EQ(window->ToolbarBottom(), 0);
    const int fieldHeight = skins->height();
    EXPECT_EQ(skins->geometry(), QRect(0, 3, 608, fieldHeight));
    EXPECT_EQ(frames->geometry(), QRect(608, 3, 192, fieldHeight));
    const int below = 3 + fieldHeight;

    MainWnd& logic = window->Logic();
    EXPECT_EQ(logic.MainArea, (Rect{0, below, 608, h}));
    EXPECT_EQ(logic.PaletteArea, (Rect{608, below, 800, below + 192}));
    EXPECT_EQ(logic.SideArea, (Rect{608, below + 192, 800, h}));
    EXPECT_EQ(GeometryOf(Child::SkinView), ToQRect(logic.MainArea));
    EXPECT_EQ(GeometryOf(Child::ModelView), ToQRect(logic.SideArea));
    EXPECT_EQ(GeometryOf(Child::PaletteView), QRect(608, below, 192, 192));

    // The large panes' sunken edge takes two pixels each side; the palette has none.
    const Pane& skinPane = logic.PaneOf(Child::SkinView);
    EXPECT_EQ(skinPane.BufferWidth, 604);
    EXPECT_EQ(skinPane.BufferHeight, h - below - 4);
    const Pane& palette = logic.PaneOf(Child::PaletteView);
    EXPECT_EQ(palette.BufferWidth, 192);
    EXPECT_EQ(palette.BufferHeight, 192);
    EXPECT_EQ(window->ChildClientRect(Child::SkinView), (Rect{2, below + 2, 606, h - 2}));
}

TEST_F(MainWindowTest, NeverSmallerThan384By360AndLaysOutAgainOnResize) {
    EXPECT_EQ(window->minimumSize(), QSize(384, 360));
    window->resize(100, 100);
    EXPECT_EQ(window->size(), QSize(384, 360));
    ShowActive();
    window->resize(200, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(384, 360));
    // The right-hand column stays 192 wide against the new right edge.
    EXPECT_EQ(window->Selector(FrameSelectorId)->geometry().x(), 384 - 192);
    EXPECT_EQ(GeometryOf(Child::PaletteView).width(), 192);
}

TEST_F(MainWindowTest, SwapDisplaysExchangesTheLargePanesAndTwiceRestoresThem) {
    ShowActive();
    MainWnd& logic = window->Logic();
    const Rect main = logic.MainArea;
    const Rect side = logic.SideArea;
    window->MenuAction(CmdSwapDisplays)->trigger();
    EXPECT_EQ(GeometryOf(Child::ModelView), ToQRect(main));
    EXPECT_EQ(GeometryOf(Child::SkinView), ToQRect(side));
    // The panes' buffers follow at once.
    EXPECT_EQ(logic.PaneOf(Child::ModelView).BufferWidth, 604);
    EXPECT_EQ(logic.PaneOf(Child::SkinView).BufferWidth, 188);

    window->MenuAction(CmdSwapDisplays)->trigger();
    EXPECT_EQ(GeometryOf(Child::SkinView), ToQRect(main));
    EXPECT_EQ(GeometryOf(Child::ModelView), ToQRect(side));
}

TEST_F(MainWindowTest, ModeKeysAndButtonsMoveTheOneCheckMark) {
    ShowActive();
    EXPECT_EQ(Checked(), std::vector<int>{CmdMixMode});
    QTest::keyClick(window.get(), Qt::Key_1);
    EXPECT_EQ(Checked(), std::vector<int>{CmdCameraMode});
    QTest::keyClick(window.get(), Qt::Key_4);
    EXPECT_EQ(Checked(), std::vector<int>{CmdMappingMode});
    // Choosing the mode in use again leaves its mark on.
    window->ToolbarAction(CmdPaintMode)->trigger();
    window->ToolbarAction(CmdPaintMode)->trigger();
    window->MenuAction(CmdPaintMode)->trigger();
    EXPECT_EQ(app.Mode, ModePaint);
    EXPECT_EQ(Checked(), std::vector<int>{CmdPaintMode});
    QTest::keyClick(window.get(), Qt::Key_2);
    EXPECT_EQ(Checked(), std::vector<int>{CmdMixMode});
}

TEST_F(MainWindowTest, StartsOnTheCommandLineModelWhoseSelectorsChooseItsEntries) {
    EXPECT_EQ(window->windowTitle(), "Varpkit v0.60");
    EXPECT_TRUE(platform.messages.empty());
    ShowActive();
    QComboBox* frames = window->Selector(FrameSelectorId);
    QComboBox* skins = window->Selector(SkinSelectorId);
    ASSERT_EQ(frames->count(), static_cast<int>(app.Frames.size()));
    EXPECT_EQ(frames->currentIndex(), 0);
    ASSERT_EQ(skins->count(), 2);
    EXPECT_EQ(skins->itemText(0), "  models/demo/skin.pcx");
    EXPECT_EQ(skins->itemText(1), "  models/demo/skin2.pcx");
    EXPECT_FALSE(skins->isEditable());

    emit frames->activated(3);
    EXPECT_EQ(app.CurrentFrameIndex, 3);
    emit skins->activated(1);
    EXPECT_EQ(app.CurrentSkinIndex, 1);
    EXPECT_EQ(app.CurrentSkin, app.Skins[1].get());
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxAskFirstAndOnlyYesCloses) {
    ShowActive();
    platform.answers = {Answer::No};
    window->MenuAction(CmdExit)->trigger();
    EXPECT_EQ(platform.messages, std::vector<std::string>{QuitQuestion});
    EXPECT_TRUE(window->isVisible());

    platform.answers = {Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(window->isVisible());

    platform.answers = {Answer::Yes};
    window->MenuAction(CmdExit)->trigger();
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages.back(), QuitQuestion);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, PostedRefreshWaitsForTheEventLoopAndASentOnePaintsAtOnce) {
    ShowActive();
    PaneWidget* model = window->PaneWidgetOf(Child::ModelView);
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    model->installEventFilter(&counter);
    window->PostRefresh(Refresh::Everything);
    EXPECT_EQ(counter.paints, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    // A pane's own refresh goes straight to the logic, whose redraw paints before returning.
    model->SendRefresh(Refresh::Everything);
    EXPECT_EQ(counter.paints, 2);
    model->SendRefresh(Refresh::PaintColour);  // the palette's alone
    EXPECT_EQ(counter.paints, 2);
    model->removeEventFilter(&counter);
}

}  // namespace
}  // namespace varp::qt
