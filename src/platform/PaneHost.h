// What a pane asks of the window that hosts it: capture, cursor, size, redraw, and its parent.
#pragma once

namespace varp {

// Mouse message flags, as the window system reports them with every mouse message.
inline constexpr unsigned MK_LBUTTON = 0x0001u;
inline constexpr unsigned MK_RBUTTON = 0x0002u;
inline constexpr unsigned MK_SHIFT = 0x0004u;
inline constexpr unsigned MK_CONTROL = 0x0008u;

// What a refresh message tells the main window: what changed, so that it redraws the panes that
// show it. The panes send their own changes; the main window also posts Everything to itself
// after commands.
enum class Refresh : int {
    TexelsPainted = 0,  // texels of the current skin were painted: the large views recolour
    Everything = 1,     // anything the views show may have changed: the large views redraw
    Background = 2,     // BackgroundColour changed: the large views repaint their background
    Selection = 3,      // the triangle selection changed: the large views redraw their outlines
    PaintColour = 4,    // PaintColour changed: the palette redraws, and the large views where
                        // they draw the mapping outlines or the mirror axis in colours for it
    Edited = 5,         // a change became an undo step: the title and the skin list show what
                        // is unsaved (kept out of the moves of a stroke, which must not allocate)
};

struct ClientPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ClientPoint&) const = default;
};

class PaneHost {
  public:
    virtual ~PaneHost() = default;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HoldsCapture() = 0;
    // Changes the cursor display count by one (up when show is true) and returns the new count;
    // the cursor is visible while the count is zero or more.
    virtual int ShowCursor(bool show) = 0;
    // Puts the cursor on a client point; the move is reported back as a mouse move there.
    virtual void SetCursorPos(ClientPoint p) = 0;
    virtual void ClientSize(int* width, int* height) = 0;
    // Invalidates the whole pane and repaints it before returning, without erasing.
    virtual void RedrawNow() = 0;
    // Sends a refresh to the parent window, synchronously: it has happened when this returns.
    virtual void SendRefresh(Refresh kind) = 0;
};

}  // namespace varp
