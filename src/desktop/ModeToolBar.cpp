// The mode toolbar and its images.
#include "desktop/ModeToolBar.h"

#include <QAction>
#include <QEvent>
#include <QPixmap>
#include <QToolButton>

#include "resources/MenuTable.h"

// The images are XPM text, compiled in.
#include "resources/icons/brush.xpm"
#include "resources/icons/camera.xpm"
#include "resources/icons/mapping.xpm"
#include "resources/icons/mix.xpm"

namespace varp::qt {

QPixmap ToolbarImage(int id) {
    switch (id) {
        case CmdCameraMode:
            return QPixmap(camera_xpm);
        case CmdMixMode:
            return QPixmap(mix_xpm);
        case CmdPaintMode:
            return QPixmap(brush_xpm);
        case CmdMappingMode:
            return QPixmap(mapping_xpm);
        default:
            return QPixmap();
    }
}

ModeToolBar::ModeToolBar(QWidget* parent, std::function<void(int)> handler) : QToolBar(parent) {
    setObjectName(QStringLiteral("ModeToolBar"));
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setIconSize(QSize(resources::ToolbarImageWidth, resources::ToolbarImageHeight));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContextMenuPolicy(Qt::PreventContextMenu);
    for (const resources::ToolbarButton& button : resources::ToolbarButtons) {
        QAction* action =
            addAction(QIcon(ToolbarImage(button.Id)), QString::fromLatin1(button.Name));
        action->setCheckable(true);
        action->setData(button.Id);
        const int id = button.Id;
        connect(action, &QAction::triggered, this, [handler, id] { handler(id); });
        // The buttons show no tips.
        widgetForAction(action)->installEventFilter(this);
        actions_[id] = action;
    }
}

QAction* ModeToolBar::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

bool ModeToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip || event->type() == QEvent::StatusTip ||
        event->type() == QEvent::WhatsThis) {
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

}  // namespace varp::qt
