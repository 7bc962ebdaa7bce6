// Mouse state as the panes see it: button and modifier flags, and the one cursor display count.
#pragma once

#include <Qt>

namespace varp::qt {

// MK_LBUTTON, MK_RBUTTON, MK_SHIFT and MK_CONTROL from Qt's buttons and modifiers.
unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The cursor display count, one for the whole program like the window system's: the cursor is
// hidden (a blank cursor over every window) while the count is negative. Returns the new count.
int ChangeCursorDisplayCount(bool show);
int CursorDisplayCount();

}  // namespace varp::qt
