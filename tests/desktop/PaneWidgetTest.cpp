// Pane windows: the blit, size delivery, mouse flags, capture and its loss, cursor services.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "desktop/PaneInput.h"
#include "desktop/PaneWidget.h"
#include "support/ScriptedPlatform.h"
#include "views/Pane.h"

namespace varp::qt {
namespace {

struct Call {
    std::string What;
    ClientPoint Point;
    unsigned Flags;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& c, std::ostream* os) {
    *os << c.What << "(" << c.Point.x << "," << c.Point.y << ",0x" << std::hex << c.Flags << ")";
}

// A pane that keeps a buffer of its client size and records every message.
class RecordingPane final : public Pane {
  public:
    using Pane::Pane;
    void OnSize(int cx, int cy) override {
        sizes.push_back({cx, cy});
        BufferWidth = static_cast<int16_t>(RoundUpToFour(cx));
        BufferHeight = static_cast<int16_t>(cy);
        PixelBuffer.assign(static_cast<size_t>(BufferWidth) * BufferHeight, 0);
    }
    void OnLButtonDown(ClientPoint p, unsigned f) override { calls.push_back({"LDown", p, f}); }
    void OnLButtonUp(ClientPoint p, unsigned f) override { calls.push_back({"LUp", p, f}); }
    void OnRButtonDown(ClientPoint p, unsigned f) override { calls.push_back({"RDown", p, f}); }
    void OnRButtonUp(ClientPoint p, unsigned f) override { calls.push_back({"RUp", p, f}); }
    void OnMouseMove(ClientPoint p, unsigned f) override { calls.push_back({"Move", p, f}); }
    void OnCaptureChanged() override { ++captureLost; }

    std::vector<ClientPoint> sizes;
    std::vector<Call> calls;
    int captureLost = 0;
};

class PaneWidgetTest : public ::testing::Test {
  protected:
    PaneWidgetTest() : app(platform) {
        window.resize(300, 200);
        frame = new PaneFrame(true, &window);
        widget = frame->Pane();
        pane = std::make_unique<RecordingPane>(app, *widget);
        widget->Attach(pane.get(), &app, nullptr);
    }
    ~PaneWidgetTest() override { widget->Attach(nullptr, nullptr, nullptr); }

    void Show() {
        frame->Place(10, 20, 104, 84);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(p), widget->mapToGlobal(QPointF(p)), button, buttons,
                          modifiers);
        QApplication::sendEvent(widget, &event);
    }

    test::ScriptedPlatform platform;
    App app;
    QWidget window;
    PaneFrame* frame = nullptr;
    PaneWidget* widget = nullptr;
    std::unique_ptr<RecordingPane> pane;
};

TEST_F(PaneWidgetTest, PlaceDeliversTheClientSizeInsideTheEdgeAtOnceAndOnlyOnce) {
    frame->Place(10, 20, 104, 84);
    // Hidden: Qt would wait with the resize event until the window is shown.
    EXPECT_EQ(pane->sizes, (std::vector<ClientPoint>{{100, 80}}));
    EXPECT_EQ(widget->geometry(), QRect(2, 2, 100, 80));
    int w = 0, h = 0;
    widget->ClientSize(&w, &h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(pane->sizes.size(), 1u);

    frame->Place(0, 0, 50, 30);
    frame->Place(0, 0, -7, -1);
    EXPECT_EQ(pane->sizes, (std::vector<ClientPoint>{{100, 80}, {46, 26}, {0, 0}}));
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(PaneWidgetTest, PaintShowsTheBottomUpBufferTopDownThroughTheGreyRamp) {
    frame->Place(0, 0, 9, 7);  // client 5 x 3, buffer rows 8 wide
    ASSERT_EQ(pane->BufferWidth, 8);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 8; ++x) {
            pane->PixelBuffer[static_cast<size_t>(row * 8 + x)] =
                static_cast<uint8_t>(row * 100 + x * 10);
        }
    }
    const QImage shot = widget->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(5, 3));
    // Window row 0 is buffer row 2.
    EXPECT_EQ(shot.pixel(0, 0), 0xFFC8C8C8u);
    EXPECT_EQ(shot.pixel(4, 0), 0xFFF0F0F0u);
    EXPECT_EQ(shot.pixel(1, 1), 0xFF6E6E6Eu);
    EXPECT_EQ(shot.pixel(3, 2), 0xFF1E1E1Eu);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(widget->testAttribute(Qt::WA_NoSystemBackground));
}

TEST_F(PaneWidgetTest, MouseMessagesCarryButtonsHeldAndModifiers) {
    Show();
    Send(QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Send(QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::LeftButton,
         Qt::ShiftModifier | Qt::ControlModifier);
    Send(QEvent::MouseButtonPress, {7, 8}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    // At a release the flags hold the buttons still down.
    Send(QEvent::MouseButtonRelease, {9, 8}, Qt::LeftButton, Qt::RightButton, Qt::ControlModifier);
    Send(QEvent::MouseButtonRelease, {-3, 250}, Qt::RightButton, Qt::NoButton);
    // The middle button means nothing to a pane; a double click is a second press.
    Send(QEvent::MouseButtonPress, {1, 1}, Qt::MiddleButton, Qt::MiddleButton);
    Send(QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(pane->calls, (std::vector<Call>{
                               {"LDown", {5, 6}, MK_LBUTTON | MK_SHIFT},
                               {"Move", {7, 8}, MK_LBUTTON | MK_SHIFT | MK_CONTROL},
                               {"RDown", {7, 8}, MK_LBUTTON | MK_RBUTTON},
                               {"LUp", {9, 8}, MK_RBUTTON | MK_CONTROL},
                               {"RUp", {-3, 250}, 0u},
                               {"LDown", {2, 2}, MK_LBUTTON},
                           }));
}

TEST_F(PaneWidgetTest, ReleasingTheCaptureTellsThePaneOnce) {
    Show();
    EXPECT_FALSE(widget->HoldsCapture());
    widget->SetCapture();
    EXPECT_TRUE(widget->HoldsCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), widget);
    widget->ReleaseCapture();
    EXPECT_FALSE(widget->HoldsCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(pane->captureLost, 1);
    // Nothing held, nothing lost.
    widget->ReleaseCapture();
    EXPECT_EQ(pane->captureLost, 1);
}

TEST_F(PaneWidgetTest, AnotherWidgetTakingTheGrabIsALoss) {
    Show();
    auto* other = new QWidget(&window);
    other->setGeometry(200, 0, 50, 50);
    other->show();
    widget->SetCapture();
    other->grabMouse();
    EXPECT_FALSE(widget->HoldsCapture());
    // Qt says nothing at the grab itself; the next input shows it.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), other->mapToGlobal(QPointF(1, 1)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(other, &move);
    EXPECT_EQ(pane->captureLost, 1);
    QApplication::sendEvent(other, &move);
    EXPECT_EQ(pane->captureLost, 1);
    other->releaseMouse();
}

TEST_F(PaneWidgetTest, DeactivationOrAPopupEndsTheCapture) {
    Show();
    widget->SetCapture();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    EXPECT_EQ(pane->captureLost, 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    widget->SetCapture();
    QMenu menu;
    menu.addAction("x");
    menu.popup(window.mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(pane->captureLost, 2);
    EXPECT_FALSE(widget->HoldsCapture());
    menu.close();
}

TEST_F(PaneWidgetTest, CursorDisplayCountHidesTheCursorWhileNegative) {
    ASSERT_EQ(CursorDisplayCount(), 0);
    EXPECT_EQ(widget->ShowCursor(false), -1);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    EXPECT_EQ(widget->ShowCursor(false), -2);
    EXPECT_EQ(widget->ShowCursor(true), -1);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(widget->ShowCursor(true), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(widget->ShowCursor(true), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(widget->ShowCursor(false), 0);
}

TEST_F(PaneWidgetTest, PuttingTheCursorOnAPointReportsAMoveThere) {
    Show();
    widget->SetCapture();
    widget->SetCursorPos({37, 41});
    for (int i = 0; i < 500 && pane->calls.empty(); ++i) QTest::qWait(10);
    ASSERT_FALSE(pane->calls.empty());
    EXPECT_EQ(pane->calls.back().What, "Move");
    EXPECT_EQ(pane->calls.back().Point, (ClientPoint{37, 41}));
    EXPECT_EQ(QCursor::pos(), widget->mapToGlobal(QPoint(37, 41)));
    widget->ReleaseCapture();
}

}  // namespace
}  // namespace varp::qt
