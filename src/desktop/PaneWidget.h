// A pane's window: shows the pane's picture, feeds it mouse messages, and serves as its host.
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/PaneHost.h"

namespace varp {
class Pane;
struct Workspace;
}  // namespace varp

namespace varp::qt {

class PaneWidget final : public QWidget, public PaneHost {
  public:
    explicit PaneWidget(QWidget* parent = nullptr);
    ~PaneWidget() override;

    // The pane shown here, the Workspace whose colours it shows, and where its refresh
    // messages go. Null detaches (before the pane is destroyed).
    void Attach(Pane* pane, const Workspace* workspace, std::function<int(Refresh)> refreshSink);
    Pane* AttachedPane() const { return pane_; }
    // Hands the pane a size change now unless it already has that size; Qt delays the resize
    // events of hidden widgets, but the pane's buffer must match right after a move.
    void DeliverSize(int width, int height);

    void SetCapture() override;
    void ReleaseCapture() override;
    bool HoldsCapture() override;
    int ShowCursor(bool show) override;
    void SetCursorPos(ClientPoint p) override;
    void ClientSize(int* width, int* height) override;
    void RedrawNow() override;
    void SendRefresh(Refresh kind) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The pane no longer has the capture: tells it once.
    void CaptureLost();
    // Whether an event shows that the grab has gone to something else.
    bool TakesCaptureAway(QObject* watched, QEvent* event) const;

    Pane* pane_ = nullptr;
    const Workspace* workspace_ = nullptr;
    std::function<int(Refresh)> refreshSink_;
    QImage image_;
    QSize deliveredSize_{-1, -1};
    bool captureHeld_ = false;
};

// The window around a pane: a sunken edge (or none) with the pane filling the rest.
class PaneFrame final : public QFrame {
  public:
    PaneFrame(bool sunkenEdge, QWidget* parent);
    PaneWidget* Pane() const { return pane_; }
    // Moves the frame to x, y with the given size (negative treated as zero) and delivers the
    // pane's new client size at once.
    void Place(int x, int y, int width, int height);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    PaneWidget* pane_;
};

}  // namespace varp::qt
