// The toolbar of the four mode buttons: fixed along the top, no tips, our own 16 x 15 images.
#pragma once

#include <QToolBar>
#include <functional>
#include <map>

class QAction;

namespace varp::qt {

// The image of a toolbar command (16 x 15 pixels), or a null pixmap for another id.
QPixmap ToolbarImage(int id);

class ModeToolBar final : public QToolBar {
  public:
    ModeToolBar(QWidget* parent, std::function<void(int)> handler);
    // The button of a command id, or null.
    QAction* Action(int id) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::map<int, QAction*> actions_;
};

}  // namespace varp::qt
