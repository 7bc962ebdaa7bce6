// The toolbar, its images and the colour swatches.
#include "desktop/ModeToolBar.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/Workspace.h"
#include "resources/MenuTable.h"
#include "views/Blit.h"

// The images are XPM text, compiled in.
#include "resources/icons/brush.xpm"
#include "resources/icons/camera.xpm"
#include "resources/icons/fill.xpm"
#include "resources/icons/line.xpm"
#include "resources/icons/mapping.xpm"
#include "resources/icons/mirror.xpm"
#include "resources/icons/mix.xpm"
#include "resources/icons/pencil.xpm"
#include "resources/icons/replace.xpm"
#include "resources/icons/round.xpm"
#include "resources/icons/selection.xpm"
#include "resources/icons/shade.xpm"

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
        case CmdToolBrush:
            return QPixmap(pencil_xpm);
        case CmdToolLine:
            return QPixmap(line_xpm);
        case CmdToolFill:
            return QPixmap(fill_xpm);
        case CmdToolReplace:
            return QPixmap(replace_xpm);
        case CmdToolShade:
            return QPixmap(shade_xpm);
        case CmdBrushRound:
            return QPixmap(round_xpm);
        case CmdMirror:
            return QPixmap(mirror_xpm);
        case CmdInSelection:
            return QPixmap(selection_xpm);
        default:
            return QPixmap();
    }
}

namespace {

constexpr int SwatchSide = 20;  // the paint colour's square; the background's is offset by 8

}  // namespace

ColourSwatches::ColourSwatches(const Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("ColourSwatches"));
    setToolTip(QStringLiteral("Paint colour (front) and background colour"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ColourSwatches::sizeHint() const {
    return {SwatchSide + 8 + 2, SwatchSide + 8 + 2};
}

void ColourSwatches::paintEvent(QPaintEvent*) {
    uint32_t table[256];
    PaneColourTable(workspace_, table);
    QPainter painter(this);
    const auto square = [&](int x, int y, uint8_t colour) {
        painter.fillRect(x, y, SwatchSide, SwatchSide, QColor::fromRgb(table[colour]));
        painter.setPen(Qt::black);
        painter.drawRect(x, y, SwatchSide - 1, SwatchSide - 1);
    };
    square(9, 9, workspace_.BackgroundColour);
    square(1, 1, workspace_.PaintColour);
}

ModeToolBar::ModeToolBar(QWidget* parent, const Workspace& workspace,
                         std::function<void(int)> handler, std::function<void(int)> sizeChosen)
    : QToolBar(parent) {
    setObjectName(QStringLiteral("ModeToolBar"));
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setIconSize(QSize(resources::ToolbarImageWidth, resources::ToolbarImageHeight));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContextMenuPolicy(Qt::PreventContextMenu);
    for (const resources::ToolbarButton& button : resources::ToolbarButtons) {
        if (button.Id == 0) {
            addSeparator();
            continue;
        }
        QAction* action =
            addAction(QIcon(ToolbarImage(button.Id)), QString::fromLatin1(button.Name));
        action->setToolTip(QString::fromLatin1(button.Name));
        action->setCheckable(resources::IsCheckable(button.Id));
        action->setData(button.Id);
        const int id = button.Id;
        connect(action, &QAction::triggered, this, [handler, id] { handler(id); });
        actions_[id] = action;
    }
    // The size box takes no keyboard focus, so that the tool keys keep working after a click.
    size_ = new QSpinBox(this);
    size_->setObjectName(QStringLiteral("BrushSize"));
    size_->setRange(MinBrushSize, MaxBrushSize);
    size_->setFocusPolicy(Qt::NoFocus);
    size_->setToolTip(QString::fromLatin1(resources::BrushSizeTip));
    size_->setValue(workspace.BrushSize);
    connect(size_, &QSpinBox::valueChanged, this, [sizeChosen](int value) { sizeChosen(value); });
    addWidget(size_);
    // The swatches at the right end, above the palette.
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    swatches_ = new ColourSwatches(workspace, this);
    addWidget(swatches_);
}

QAction* ModeToolBar::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void ModeToolBar::ShowBrushSize(int size) {
    if (size_->value() == size) return;
    const QSignalBlocker quiet(size_);
    size_->setValue(size);
}

}  // namespace varp::qt
