// Menu bar and accelerators: the labels carry their key texts; the keys are separate shortcuts.
#include "desktop/CommandMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "resources/MenuTable.h"

namespace varp::qt {

CommandMenus::CommandMenus(QMainWindow* window, Handler handler)
    : QObject(window), handler_(std::move(handler)) {
    QMenuBar* bar = window->menuBar();
    for (const resources::Menu& menu : resources::MenuBar) {
        QMenu* popup = bar->addMenu(QString::fromLatin1(menu.Title));
        menus_.push_back(popup);
        for (const resources::MenuItem& item : menu.Items) {
            if (item.Label == nullptr) {
                popup->addSeparator();
                continue;
            }
            // The label keeps its "\t" key text, which the menu shows at the right; the
            // item itself has no shortcut, since the accelerator table decides the keys.
            QAction* action = popup->addAction(QString::fromLatin1(item.Label));
            action->setData(item.Id);
            action->setCheckable(resources::IsCheckable(item.Id));
            const int id = item.Id;
            connect(action, &QAction::triggered, this, [this, id] { handler_(id); });
            actions_[id] = action;
        }
    }
    for (const resources::Accelerator& accel : resources::Accelerators) {
        auto* shortcut = new QShortcut(
            QKeySequence(QString::fromLatin1(accel.Key), QKeySequence::PortableText), window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setProperty("commandId", accel.Id);
        const int id = accel.Id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { handler_(id); });
        accelerators_.push_back(shortcut);
    }
}

QAction* CommandMenus::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

}  // namespace varp::qt
