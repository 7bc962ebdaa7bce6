// Pane windows: size delivery, mouse and wheel flags, capture and its loss, the cursor count.
// What a pane shows is read from the screen by the end-to-end journeys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <string>
#include <tuple>
#include <vector>

#include "desktop/PaneInput.h"
#include "desktop/PaneWidget.h"
#include "support/ScriptedPlatform.h"
#include "views/Pane.h"

namespace varp::qt {
namespace {

// A message to the pane: its name, the point, the flags.
using Call = std::tuple<std::string, int, int, unsigned>;

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
    void OnLButtonDown(ClientPoint p, unsigned f) override { Note("LDown", p, f); }
    void OnLButtonUp(ClientPoint p, unsigned f) override { Note("LUp", p, f); }
    void OnRButtonDown(ClientPoint p, unsigned f) override { Note("RDown", p, f); }
    void OnRButtonUp(ClientPoint p, unsigned f) override { Note("RUp", p, f); }
    void OnMouseMove(ClientPoint p, unsigned f) override { Note("Move", p, f); }
    void OnMouseWheel(ClientPoint p, int delta, unsigned f) override {
        calls.push_back({"Wheel " + std::to_string(delta), p.x, p.y, f});
    }
    void Note(const char* what, ClientPoint p, unsigned f) { calls.push_back({what, p.x, p.y, f}); }
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
    // Hidden: Qt would hold the resize event back until the window is shown.
    frame->Place(10, 20, 104, 84);
    EXPECT_EQ(pane->sizes, (std::vector<ClientPoint>{{100, 80}}));
    EXPECT_EQ(widget->geometry(), QRect(2, 2, 100, 80));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    frame->Place(0, 0, 50, 30);
    frame->Place(0, 0, -7, -1);
    EXPECT_EQ(pane->sizes, (std::vector<ClientPoint>{{100, 80}, {46, 26}, {0, 0}}));
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(PaneWidgetTest, MouseAndWheelMessagesCarryButtonsHeldAndModifiers) {
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
    QWheelEvent wheel(QPointF(30, 40), widget->mapToGlobal(QPointF(30, 40)), QPoint(),
                      QPoint(0, -240), Qt::LeftButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &wheel);
    EXPECT_EQ(pane->calls, (std::vector<Call>{
                               {"LDown", 5, 6, MK_LBUTTON | MK_SHIFT},
                               {"Move", 7, 8, MK_LBUTTON | MK_SHIFT | MK_CONTROL},
                               {"RDown", 7, 8, MK_LBUTTON | MK_RBUTTON},
                               {"LUp", 9, 8, MK_RBUTTON | MK_CONTROL},
                               {"RUp", -3, 250, 0u},
                               {"LDown", 2, 2, MK_LBUTTON},
                               {"Wheel -240", 30, 40, MK_LBUTTON | MK_CONTROL},
                           }));
}

TEST_F(PaneWidgetTest, TheCaptureIsLostOnceByReleaseAnotherGrabDeactivationOrAPopup) {
    Show();
    widget->SetCapture();
    EXPECT_TRUE(widget->HoldsCapture());
    widget->ReleaseCapture();
    widget->ReleaseCapture();  // nothing held, nothing lost
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(pane->captureLost, 1);

    // Qt says nothing when another widget takes the grab; the next input shows it.
    auto* other = new QWidget(&window);
    other->setGeometry(200, 0, 50, 50);
    other->show();
    widget->SetCapture();
    other->grabMouse();
    EXPECT_FALSE(widget->HoldsCapture());
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), other->mapToGlobal(QPointF(1, 1)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(other, &move);
    QApplication::sendEvent(other, &move);
    EXPECT_EQ(pane->captureLost, 2);
    other->releaseMouse();

    widget->SetCapture();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    EXPECT_EQ(pane->captureLost, 3);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    widget->SetCapture();
    QMenu menu;
    menu.addAction("x");
    menu.popup(window.mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(pane->captureLost, 4);
    EXPECT_FALSE(widget->HoldsCapture());
    menu.close();
}

TEST_F(PaneWidgetTest, TheCursorIsBlankWhileTheDisplayCountIsNegative) {
    ASSERT_EQ(CursorDisplayCount(), 0);
    // Each call, the count it gives, and whether the cursor is then blank.
    const std::tuple<bool, int, bool> steps[] = {{false, -1, true}, {false, -2, true},
                                                 {true, -1, true},  {true, 0, false},
                                                 {true, 1, false},  {false, 0, false}};
    for (const auto& [show, count, blank] : steps) {
        EXPECT_EQ(widget->ShowCursor(show), count);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        EXPECT_EQ(cursor == nullptr ? Qt::ArrowCursor : cursor->shape(),
                  blank ? Qt::BlankCursor : Qt::ArrowCursor)
            << count;
    }
}

}  // namespace
}  // namespace varp::qt
