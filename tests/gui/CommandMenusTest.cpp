// The menu bar, the accelerator keys and the mode toolbar, as a user meets them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <string>
#include <vector>

#include "frame/Commands.h"
#include "platform/qt/CommandMenus.h"
#include "platform/qt/ModeToolBar.h"

namespace varp::qt {
namespace {

struct Item {
    std::string Label;  // empty: separator
    int Id;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& i, std::ostream* os) {
    *os << "{\"" << i.Label << "\", " << i.Id << "}";
}

class CommandMenusTest : public ::testing::Test {
  protected:
    CommandMenusTest() {
        menus = new CommandMenus(&window, [this](int id) { commands.push_back(id); });
        combo = new QComboBox(&window);
        // Entries whose first letters are the letter keys: a list that searched as the user
        // types would take them.
        combo->addItems({"Camera", "Ice", "1st", "2nd"});
        window.setCentralWidget(combo);
    }

    std::vector<Item> ItemsOf(int menu) {
        std::vector<Item> items;
        for (QAction* a : menus->Menus()[static_cast<size_t>(menu)]->actions()) {
            items.push_back({a->isSeparator() ? "" : a->text().toStdString(),
                             a->isSeparator() ? 0 : a->data().toInt()});
        }
        return items;
    }

    void ShowActive() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
        ASSERT_TRUE(combo->hasFocus());
    }

    // The commands one key press gives.
    std::vector<int> Press(const QKeySequence& key) {
        commands.clear();
        QTest::keyClick(combo, key[0].key(), key[0].keyboardModifiers());
        return commands;
    }

    QMainWindow window;
    CommandMenus* menus = nullptr;
    QComboBox* combo = nullptr;
    std::vector<int> commands;
};

TEST_F(CommandMenusTest, MenuBarHasTheFiveMenusWithTheirItemsAndIds) {
    std::vector<std::string> titles;
    for (QAction* a : window.menuBar()->actions()) titles.push_back(a->text().toStdString());
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Options", "&Skins", "&Mapping", "&Help"}));

    EXPECT_EQ(ItemsOf(0), (std::vector<Item>{{"&Open...\tCtrl+O", 32772},
                                             {"&Save\tCtrl+S", 32773},
                                             {"Save &As...\tCtrl+A", 32774},
                                             {"&Base Folder", 32771},
                                             {"", 0},
                                             {"E&xit", 57665}}));
    EXPECT_EQ(ItemsOf(1), (std::vector<Item>{{"&Swap Displays", 32775},
                                             {"", 0},
                                             {"&Camera Mode\t1", 32779},
                                             {"&Mix Mode\t2", 32778},
                                             {"&Paint Mode\t3", 32780},
                                             {"M&apping Mode\t4", 32781}}));
    EXPECT_EQ(ItemsOf(2), (std::vector<Item>{{"&New\tShift+N", 32785},
                                             {"&Open\tShift+O", 32777},
                                             {"&Close/Delete\tShift+D", 32782},
                                             {"", 0},
                                             {"&Save\tShift+S", 32783},
                                             {"Save &As\tShift+A", 32784},
                                             {"", 0},
                                             {"&Link\tShift+L", 32788},
                                             {"&Unlink\tCtrl+L", 32789},
                                             {"", 0},
                                             {"&Move Up\tCtrl+Up", 32793},
                                             {"Move &Down\tCtrl+Down", 32794},
                                             {"", 0},
                                             {"&Store\tShift+Z", 32787},
                                             {"&Revert\tCtrl+Z", 32786},
                                             {"R&eload\tF5", 32795},
                                             {"", 0},
                                             {"&Scan Folder", 32776}}));
    EXPECT_EQ(ItemsOf(3), (std::vector<Item>{{"&Select All\tShift+C", 32796},
                                             {"Select &None\tC", 32797},
                                             {"&Invert Selection\tI", 32798}}));
    EXPECT_EQ(ItemsOf(4), (std::vector<Item>{{"&About Reviz0.60...", 57664}}));
}

TEST_F(CommandMenusTest, ChoosingAnItemSendsItsId) {
    menus->Action(CmdScanFolder)->trigger();
    menus->Action(CmdExit)->trigger();
    menus->Action(CmdAbout)->trigger();
    EXPECT_EQ(commands, (std::vector<int>{32776, 57665, 57664}));
    EXPECT_EQ(menus->Action(12345), nullptr);
}

TEST_F(CommandMenusTest, EveryAcceleratorKeySendsItsCommandEvenWithAListFocused) {
    ShowActive();
    const std::vector<std::pair<QKeySequence, int>> table = {
        {QKeySequence(Qt::Key_1), 32779},
        {QKeySequence(Qt::Key_2), 32778},
        {QKeySequence(Qt::Key_3), 32780},
        {QKeySequence(Qt::Key_4), 32781},
        {QKeySequence(Qt::CTRL | Qt::Key_A), 32774},
        {QKeySequence(Qt::SHIFT | Qt::Key_A), 32784},
        {QKeySequence(Qt::Key_C), 32797},
        {QKeySequence(Qt::SHIFT | Qt::Key_C), 32796},
        {QKeySequence(Qt::SHIFT | Qt::Key_D), 32782},
        {QKeySequence(Qt::Key_I), 32798},
        {QKeySequence(Qt::SHIFT | Qt::Key_L), 32788},
        {QKeySequence(Qt::CTRL | Qt::Key_L), 32789},
        {QKeySequence(Qt::SHIFT | Qt::Key_N), 32785},
        {QKeySequence(Qt::CTRL | Qt::Key_O), 32772},
        {QKeySequence(Qt::CTRL | Qt::Key_S), 32773},
        {QKeySequence(Qt::SHIFT | Qt::Key_S), 32783},
        {QKeySequence(Qt::CTRL | Qt::Key_Down), 32794},
        {QKeySequence(Qt::CTRL | Qt::Key_Up), 32793},
        {QKeySequence(Qt::Key_F5), 32795},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), 32786},
        {QKeySequence(Qt::SHIFT | Qt::Key_Z), 32787},
    };
    ASSERT_EQ(menus->Accelerators().size(), 21u);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(menus->Accelerators()[i]->key(), table[i].first) << i;
        EXPECT_EQ(menus->Accelerators()[i]->property("commandId").toInt(), table[i].second) << i;
        EXPECT_EQ(Press(table[i].first), std::vector<int>{table[i].second})
            << table[i].first.toString().toStdString();
    }
    // The list kept its selection: no key reached it.
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(CommandMenusTest, ShiftOOfSkinsOpenAndKeysOutsideTheTableDoNothing) {
    ShowActive();
    EXPECT_TRUE(Press(QKeySequence(Qt::SHIFT | Qt::Key_O)).empty());
    EXPECT_TRUE(Press(QKeySequence(Qt::Key_5)).empty());
    EXPECT_TRUE(Press(QKeySequence(Qt::CTRL | Qt::Key_1)).empty());
    EXPECT_TRUE(Press(QKeySequence(Qt::SHIFT | Qt::Key_I)).empty());
    EXPECT_TRUE(Press(QKeySequence(Qt::Key_N)).empty());
}

TEST(ModeToolBar, FourFixedButtonsInCameraMixPaintMappingOrder) {
    QMainWindow window;
    std::vector<int> commands;
    auto* bar = new ModeToolBar(&window, [&](int id) { commands.push_back(id); });
    window.addToolBar(bar);
    EXPECT_FALSE(bar->isMovable());
    EXPECT_FALSE(bar->isFloatable());
    EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));

    std::vector<int> ids;
    for (QAction* a : bar->actions()) {
        ids.push_back(a->data().toInt());
        EXPECT_TRUE(a->isCheckable());
        const QPixmap image = ToolbarImage(a->data().toInt());
        EXPECT_EQ(image.size(), QSize(16, 15));
        a->trigger();
    }
    EXPECT_EQ(ids, (std::vector<int>{32779, 32778, 32780, 32781}));
    EXPECT_EQ(commands, ids);
    EXPECT_TRUE(ToolbarImage(CmdFileOpen).isNull());
    // The four images differ from one another.
    for (size_t i = 0; i < ids.size(); ++i) {
        for (size_t j = i + 1; j < ids.size(); ++j) {
            EXPECT_NE(ToolbarImage(ids[i]).toImage(), ToolbarImage(ids[j]).toImage());
        }
    }
}

TEST(ModeToolBar, ButtonsShowNoTips) {
    QMainWindow window;
    auto* bar = new ModeToolBar(&window, [](int) {});
    window.addToolBar(bar);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* button = bar->widgetForAction(bar->Action(CmdPaintMode));
    ASSERT_NE(button, nullptr);
    QHelpEvent tip(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &tip);
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace varp::qt
