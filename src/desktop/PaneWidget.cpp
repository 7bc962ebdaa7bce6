// Pane windows: the blit of the pane's picture, mouse messages, capture and cursor services.
#include "desktop/PaneWidget.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "desktop/PaneInput.h"
#include "views/Blit.h"
#include "views/Pane.h"

namespace varp::qt {

namespace {

ClientPoint PointOf(const QMouseEvent* event) {
    const QPointF p = event->position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

}  // namespace

PaneWidget::PaneWidget(QWidget* parent) : QWidget(parent) {
    // The picture covers the whole pane: nothing is erased before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    // Every move reaches the pane, also with no button down, as the window system delivers
    // them; a pane acts on moves only while it holds the capture.
    setMouseTracking(true);
}

PaneWidget::~PaneWidget() {
    if (captureHeld_) {
        qApp->removeEventFilter(this);
        if (mouseGrabber() == this) releaseMouse();
    }
}

void PaneWidget::Attach(Pane* pane, const Workspace* workspace,
                        std::function<int(Refresh)> refreshSink) {
    pane_ = pane;
    workspace_ = workspace;
    refreshSink_ = std::move(refreshSink);
    deliveredSize_ = QSize(-1, -1);
}

void PaneWidget::DeliverSize(int width, int height) {
    const QSize size(width, height);
    if (pane_ == nullptr || size == deliveredSize_) return;
    deliveredSize_ = size;
    pane_->OnSize(width, height);
}

void PaneWidget::resizeEvent(QResizeEvent* event) {
    DeliverSize(event->size().width(), event->size().height());
}

void PaneWidget::paintEvent(QPaintEvent* event) {
    if (pane_ == nullptr || workspace_ == nullptr) return;
    const int bufferWidth = pane_->BufferWidth;
    const int bufferHeight = pane_->BufferHeight;
    if (bufferWidth <= 0 || bufferHeight <= 0) return;
    if (pane_->PixelBuffer.size() < static_cast<size_t>(bufferWidth) * bufferHeight) return;
    const QRect shown = rect() & QRect(0, 0, bufferWidth, bufferHeight);
    uint32_t table[256];
    PaneColourTable(*workspace_, table);
    QPainter painter(this);
    // Each rectangle of the region to paint on its own: the parts a stroke changed may lie far
    // apart, and their bounding rectangle would convert everything between them.
    for (const QRect& part : event->region()) {
        const QRect area = part & shown;
        if (area.isEmpty()) continue;
        if (image_.width() < area.width() || image_.height() < area.height()) {
            image_ = QImage(std::max(area.width(), width()), std::max(area.height(), height()),
                            QImage::Format_RGB32);
        }
        pane_->BlitArea(table, area.x(), area.y(), area.width(), area.height(),
                        reinterpret_cast<uint32_t*>(image_.bits()),
                        static_cast<int>(image_.bytesPerLine() / 4));
        painter.drawImage(area.topLeft(), image_, QRect(0, 0, area.width(), area.height()));
    }
}

void PaneWidget::mousePressEvent(QMouseEvent* event) {
    if (pane_ == nullptr) return;
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        pane_->OnLButtonDown(PointOf(event), flags);
    } else if (event->button() == Qt::RightButton) {
        pane_->OnRButtonDown(PointOf(event), flags);
    }
}

void PaneWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (pane_ == nullptr) return;
    // Qt's buttons() at a release are those still down, as the window system reports them.
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        pane_->OnLButtonUp(PointOf(event), flags);
    } else if (event->button() == Qt::RightButton) {
        pane_->OnRButtonUp(PointOf(event), flags);
    }
}

void PaneWidget::mouseMoveEvent(QMouseEvent* event) {
    if (pane_ == nullptr) return;
    pane_->OnMouseMove(PointOf(event), MouseFlags(event->buttons(), event->modifiers()));
}

void PaneWidget::wheelEvent(QWheelEvent* event) {
    if (pane_ == nullptr) return;
    const QPointF p = event->position();
    pane_->OnMouseWheel({static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))},
                        event->angleDelta().y(), MouseFlags(event->buttons(), event->modifiers()));
    event->accept();
}

void PaneWidget::leaveEvent(QEvent*) {
    if (pane_ != nullptr) pane_->OnMouseLeave();
}

void PaneWidget::SetCapture() {
    grabMouse();
    if (!captureHeld_) {
        captureHeld_ = true;
        // Qt tells nobody when a grab is taken away, so watch for it while we hold one.
        qApp->installEventFilter(this);
    }
}

void PaneWidget::ReleaseCapture() {
    if (mouseGrabber() == this) releaseMouse();
    // As with the window system, giving the capture up is itself a loss of the capture.
    if (captureHeld_) CaptureLost();
}

bool PaneWidget::HoldsCapture() {
    return captureHeld_ && mouseGrabber() == this;
}

void PaneWidget::CaptureLost() {
    captureHeld_ = false;
    qApp->removeEventFilter(this);
    if (pane_ != nullptr) pane_->OnCaptureChanged();
}

bool PaneWidget::TakesCaptureAway(QObject* watched, QEvent* event) const {
    switch (event->type()) {
        case QEvent::WindowDeactivate:
            // Our window lost the keyboard focus to another window or program.
            return watched == window();
        case QEvent::ApplicationStateChange:
            return QGuiApplication::applicationState() != Qt::ApplicationActive;
        case QEvent::Show: {
            // A popup (a menu, a drop-down list) takes every mouse event while it is open.
            const auto* widget = qobject_cast<const QWidget*>(watched);
            return widget != nullptr && widget->isWindow() && widget->windowType() == Qt::Popup;
        }
        default:
            return false;
    }
}

bool PaneWidget::eventFilter(QObject* watched, QEvent* event) {
    if (!captureHeld_) return false;
    switch (event->type()) {
        // Only events from the event loop are looked at: a paint event may be inside the
        // repaint machinery, where the pane's redraw must not run.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::ApplicationStateChange:
        case QEvent::Show:
            if (mouseGrabber() != this) {
                // Another widget took the grab.
                CaptureLost();
            } else if (TakesCaptureAway(watched, event)) {
                releaseMouse();
                CaptureLost();
            }
            break;
        default:
            break;
    }
    return false;
}

int PaneWidget::ShowCursor(bool show) {
    return ChangeCursorDisplayCount(show);
}

void PaneWidget::SetCursorPos(ClientPoint p) {
    QCursor::setPos(mapToGlobal(QPoint(p.x, p.y)));
}

void PaneWidget::ClientSize(int* width, int* height) {
    if (width != nullptr) *width = this->width();
    if (height != nullptr) *height = this->height();
}

void PaneWidget::RedrawNow() {
    repaint();
}

void PaneWidget::SendRefresh(Refresh kind) {
    if (refreshSink_) refreshSink_(kind);
}

PaneFrame::PaneFrame(bool sunkenEdge, QWidget* parent)
    : QFrame(parent), pane_(new PaneWidget(this)) {
    if (sunkenEdge) {
        // The window system's client edge: two pixels, sunken.
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    // The edge is drawn and the pane covers the rest: nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    pane_->setGeometry(contentsRect());
}

void PaneFrame::Place(int x, int y, int width, int height) {
    setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    const QRect inside = contentsRect();
    pane_->setGeometry(inside);
    pane_->DeliverSize(std::max(inside.width(), 0), std::max(inside.height(), 0));
}

void PaneFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    pane_->setGeometry(contentsRect());
}

}  // namespace varp::qt
