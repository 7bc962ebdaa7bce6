// The main window on the demo model: the pixel layout and minimum size, mode check marks from
// keys and buttons, the selectors, the quit question, queued and sent refreshes; and the
// accelerator keys against the menu items that show them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <string>
#include <vector>

#include "desktop/CommandMenus.h"
#include "desktop/MainWindow.h"
#include "desktop/PaneWidget.h"
#include "frame/Commands.h"
#include "frame/MainWnd.h"
#include "sample/Sample.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "views/Pane.h"

namespace varp::qt {
namespace {

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
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }
    ~MainWindowTest() override {
        window.reset();
        QDir::setCurrent(launchFolder_);
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

TEST_F(MainWindowTest, ClientAreaFollowsThePixelRulesAndTheWindowNeverShrinksBelow384By360) {
    ASSERT_EQ(window->Client()->width(), 800);
    const int h = window->Client()->height();
    QComboBox* frames = window->Selector(FrameSelectorId);
    // Three pixels below the toolbar, which ends where the client area begins.
    EXPECT_EQ(window->ToolbarBottom(), 0);
    const int field = frames->height(), below = 3 + field;
    EXPECT_EQ(window->Selector(SkinSelectorId)->geometry(), QRect(0, 3, 608, field));
    EXPECT_EQ(frames->geometry(), QRect(608, 3, 192, field));
    EXPECT_EQ(GeometryOf(Child::SkinView), QRect(0, below, 608, h - below));
    EXPECT_EQ(GeometryOf(Child::PaletteView), QRect(608, below, 192, 192));
    EXPECT_EQ(GeometryOf(Child::ModelView), QRect(608, below + 192, 192, h - below - 192));
    // The large panes' sunken edge takes two pixels each side; the palette has none.
    EXPECT_EQ(window->ChildClientRect(Child::SkinView), (Rect{2, below + 2, 606, h - 2}));
    const Pane& skin = window->Logic().PaneOf(Child::SkinView);
    const Pane& palette = window->Logic().PaneOf(Child::PaletteView);
    EXPECT_EQ(QSize(skin.BufferWidth, skin.BufferHeight), QSize(604, h - below - 4));
    EXPECT_EQ(QSize(palette.BufferWidth, palette.BufferHeight), QSize(192, 192));

    window->resize(200, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(384, 360));
    // The right-hand column stays 192 wide against the new right edge.
    EXPECT_EQ(frames->geometry().x(), 384 - 192);
    EXPECT_EQ(GeometryOf(Child::PaletteView), QRect(192, below, 192, 192));
}

TEST_F(MainWindowTest, ModeKeysAndButtonsMoveTheOneCheckMark) {
    EXPECT_EQ(Checked(), std::vector<int>{CmdMixMode});
    // Choosing the mode in use again leaves its mark on.
    window->ToolbarAction(CmdPaintMode)->trigger();
    window->ToolbarAction(CmdPaintMode)->trigger();
    window->MenuAction(CmdPaintMode)->trigger();
    EXPECT_EQ(Checked(), std::vector<int>{CmdPaintMode});
    QTest::keyClick(window.get(), Qt::Key_2);
    EXPECT_EQ(Checked(), std::vector<int>{CmdMixMode});
}

TEST_F(MainWindowTest, SelectorsListTheModelsFramesAndSkinsAndChooseThem) {
    EXPECT_TRUE(platform.messages.empty());
    QComboBox* frames = window->Selector(FrameSelectorId);
    QComboBox* skins = window->Selector(SkinSelectorId);
    EXPECT_EQ(frames->count(), static_cast<int>(app.Frames.size()));
    EXPECT_EQ(skins->count(), 2);
    emit frames->activated(3);
    EXPECT_EQ(app.CurrentFrameIndex, 3);
    emit skins->activated(1);
    EXPECT_EQ(app.CurrentSkin, app.Skins[1].get());
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxAskAboutUnsavedWorkAndOnlyDiscardCloses) {
    app.ModelRevision = app.NewRevision();
    platform.answers = {Answer::Cancel, Answer::Cancel, Answer::Discard};
    window->MenuAction(CmdExit)->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    window->MenuAction(CmdExit)->trigger();
    const std::string question = "These changes are not saved:\n    the model " + dir.Path() +
                                 "/models/demo/tris.md2\nSave them before going on?";
    EXPECT_EQ(platform.messages, std::vector<std::string>(3, question));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, PostedRefreshWaitsForTheEventLoopAndASentOnePaintsAtOnce) {
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

TEST(CommandMenus, EveryKeyAnItemShowsSendsItsCommandEvenWithAListFocused) {
    QMainWindow window;
    std::vector<int> commands;
    auto* menus = new CommandMenus(&window, [&](int id) { commands.push_back(id); });
    // A focused list whose entries start with the letter keys: a list that searched as the
    // user types would take them.
    auto* combo = new QComboBox(&window);
    combo->addItems({"Camera", "Ice", "1st", "2nd"});
    window.setCentralWidget(combo);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    combo->setFocus();
    const auto press = [&](QKeyCombination key) {
        commands.clear();
        QTest::keyClick(combo, key.key(), key.keyboardModifiers());
        return commands;
    };
    int shown = 0;
    for (QMenu* menu : menus->Menus()) {
        for (QAction* a : menu->actions()) {
            const QString keyText = a->text().section(u'\t', 1);
            if (keyText.isEmpty()) continue;
            ++shown;
            const std::vector<int> sent =
                press(QKeySequence(keyText, QKeySequence::PortableText)[0]);
            // Skins > Open shows Shift+O but has no accelerator.
            if (a->text() == "&Open\tShift+O") {
                EXPECT_TRUE(sent.empty());
            } else {
                EXPECT_EQ(sent, std::vector<int>{a->data().toInt()}) << keyText.toStdString();
            }
        }
    }
    EXPECT_EQ(shown, 36);
    // Keys that no item shows do nothing, and no key reached the list.
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_5), Qt::CTRL | Qt::Key_1,
                                      Qt::SHIFT | Qt::Key_I, QKeyCombination(Qt::Key_N)}) {
        EXPECT_TRUE(press(key).empty()) << QKeySequence(key).toString().toStdString();
    }
    EXPECT_EQ(combo->currentIndex(), 0);
}

}  // namespace
}  // namespace varp::qt
