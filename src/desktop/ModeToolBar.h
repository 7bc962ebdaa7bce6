// The toolbar: the four mode buttons, the paint tools, the brush size box, the brush, mirror
// and selection switches, with tips; our own 16 x 15 images; and at its right end the paint and
// background colours as large swatches, right above the palette.
#pragma once

#include <QToolBar>
#include <functional>
#include <map>

class QAction;
class QSpinBox;

namespace varp {
struct Workspace;
}

namespace varp::qt {

// The image of a toolbar command (16 x 15 pixels), or a null pixmap for another id.
QPixmap ToolbarImage(int id);

// The paint colour as a large square over the background colour's, in the current skin's
// palette; repainted whenever the palette pane is.
class ColourSwatches final : public QWidget {
  public:
    ColourSwatches(const Workspace& workspace, QWidget* parent);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Workspace& workspace_;
};

class ModeToolBar final : public QToolBar {
  public:
    // `handler` gets the command of a button; `sizeChosen` a brush size set in the box.
    ModeToolBar(QWidget* parent, const Workspace& workspace, std::function<void(int)> handler,
                std::function<void(int)> sizeChosen);
    // The button of a command id, or null.
    QAction* Action(int id) const;
    QSpinBox* BrushSizeBox() const { return size_; }
    ColourSwatches* Swatches() const { return swatches_; }
    // Shows the brush size the Workspace holds.
    void ShowBrushSize(int size);

  private:
    std::map<int, QAction*> actions_;
    QSpinBox* size_ = nullptr;
    ColourSwatches* swatches_ = nullptr;
};

}  // namespace varp::qt
