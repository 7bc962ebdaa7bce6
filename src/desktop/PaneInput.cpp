// Mouse flags and the cursor display count.
#include "desktop/PaneInput.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/PaneHost.h"

namespace varp::qt {

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

namespace {

int displayCount = 0;
bool blankCursorSet = false;

}  // namespace

int ChangeCursorDisplayCount(bool show) {
    displayCount += show ? 1 : -1;
    // An override cursor rather than a widget's: it holds wherever the pointer is, also
    // while a pane holds the mouse grab and the pointer leaves it.
    if (displayCount < 0 && !blankCursorSet) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        blankCursorSet = true;
    } else if (displayCount >= 0 && blankCursorSet) {
        QGuiApplication::restoreOverrideCursor();
        blankCursorSet = false;
    }
    return displayCount;
}

int CursorDisplayCount() {
    return displayCount;
}

}  // namespace varp::qt
