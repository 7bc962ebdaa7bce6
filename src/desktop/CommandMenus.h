// The menu bar and the accelerator table of the main window, built from the resource tables.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QShortcut;

namespace varp::qt {

class CommandMenus final : public QObject {
  public:
    using Handler = std::function<void(int)>;
    // Builds the menu bar of `window` and its accelerators; every item and key calls
    // `handler` with its command id.
    CommandMenus(QMainWindow* window, Handler handler);

    // The menu item of a command id, or null.
    QAction* Action(int id) const;
    const std::vector<QMenu*>& Menus() const { return menus_; }
    // The accelerators, in table order, each carrying its command id as the "commandId"
    // property.
    const std::vector<QShortcut*>& Accelerators() const { return accelerators_; }

  private:
    Handler handler_;
    std::vector<QMenu*> menus_;
    std::map<int, QAction*> actions_;
    std::vector<QShortcut*> accelerators_;
};

}  // namespace varp::qt
