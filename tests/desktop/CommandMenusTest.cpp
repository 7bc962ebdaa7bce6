// The menu bar, the accelerator keys and the mode toolbar, as a user meets them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolTip>
#include <string>
#include <vector>

#include "desktop/CommandMenus.h"
#include "desktop/ModeToolBar.h"
#include "frame/Commands.h"

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

    // The commands choosing an item sends.
    std::vector<int> Choose(QAction* a) {
        commands.clear();
        if (!a->isSeparator()) a->trigger();
        return commands;
    }

    std::vector<Item> ItemsOf(int menu) {
        std::vector<Item> items;
        for (QAction* a : menus->Menus()[static_cast<size_t>(menu)]->actions()) {
            const std::vector<int> sent = Choose(a);
            items.push_back({a->text().toStdString(), sent.size() == 1 ? sent[0] : 0});
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
    std::vector<int> Press(QKeyCombination key) {
        commands.clear();
        QTest::keyClick(combo, key.key(), key.keyboardModifiers());
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

TEST_F(CommandMenusTest, EveryKeyAnItemShowsSendsItsCommandEvenWithAListFocused) {
    ShowActive();
    int shown = 0;
    for (QMenu* menu : menus->Menus()) {
        for (QAction* a : menu->actions()) {
            const QString keyText = a->text().section(u'\t', 1);
            if (keyText.isEmpty()) continue;
            ++shown;
            const QKeyCombination key = QKeySequence(keyText, QKeySequence::PortableText)[0];
            // Skins > Open shows Shift+O but has no accelerator.
            const bool none = a->text() == "&Open\tShift+O";
            EXPECT_EQ(Press(key), none ? std::vector<int>{} : Choose(a)) << keyText.toStdString();
        }
    }
    EXPECT_EQ(shown, 22);
    EXPECT_EQ(menus->Accelerators().size(), 21u);
    // Keys that no item shows do nothing.
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_5), Qt::CTRL | Qt::Key_1,
                                      Qt::SHIFT | Qt::Key_I, QKeyCombination(Qt::Key_N)}) {
        EXPECT_TRUE(Press(key).empty()) << QKeySequence(key).toString().toStdString();
    }
    // The list kept its selection: no key reached it.
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST(ModeToolBar, FourFixedButtonsWithoutTipsInCameraMixPaintMappingOrder) {
    QMainWindow window;
    std::vector<int> commands;
    auto* bar = new ModeToolBar(&window, [&](int id) { commands.push_back(id); });
    window.addToolBar(bar);
    EXPECT_FALSE(bar->isMovable());
    EXPECT_FALSE(bar->isFloatable());
    EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    for (QAction* a : bar->actions()) a->trigger();
    EXPECT_EQ(commands, (std::vector<int>{32779, 32778, 32780, 32781}));
    // Four images of the button size, all different; other commands have none.
    for (size_t i = 0; i < commands.size(); ++i) {
        EXPECT_EQ(ToolbarImage(commands[i]).size(), QSize(16, 15));
        for (size_t j = i + 1; j < commands.size(); ++j) {
            EXPECT_NE(ToolbarImage(commands[i]).toImage(), ToolbarImage(commands[j]).toImage());
        }
    }
    EXPECT_TRUE(ToolbarImage(CmdFileOpen).isNull());

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
