// What the main window's logic asks of the window system: its client area, the toolbar, the
// two selectors, moving and repainting children, and a queue for its own refresh messages.
#pragma once

#include <string>
#include <vector>

#include "platform/PaneHost.h"

namespace varp {

// A rectangle in the main window's client coordinates; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The main window's children, as the logic names them.
enum class Child { SkinSelector, FrameSelector, ModelView, SkinView, PaletteView };

// The fields of the status bar along the bottom of the main window.
enum class StatusField {
    Cursor,  // what is under the mouse: texel, colour index and RGB, triangle
    Tool,    // the paint tool and brush in use
    Notice,  // a standing remark about the skin in view (left empty when there is none)
};

// Control ids of the two selectors.
inline constexpr int FrameSelectorId = 129;
inline constexpr int SkinSelectorId = 130;

class FrameHost {
  public:
    virtual ~FrameHost() = default;

    // Queues a refresh message to the main window itself; it is handled after the current
    // command, by calling MainWnd::OnRefresh(kind).
    virtual void PostRefresh(Refresh kind) = 0;

    // Places the toolbar along the top of the client area.
    virtual void RecalcLayout() = 0;
    // Bottom of the toolbar, in client coordinates.
    virtual int ToolbarBottom() = 0;
    virtual Rect ClientRect() = 0;
    // Moves a child to x, y with the given size (which may be zero or negative when the
    // window is minimised), without repainting it; a pane gets its size change at once.
    virtual void MoveChild(Child child, int x, int y, int width, int height) = 0;
    // A child's client rectangle in the main window's client coordinates. For a selector this
    // is its closed selection field, not the dropped-down list.
    virtual Rect ChildClientRect(Child child) = 0;
    // Invalidates a pane and repaints it from its buffer before returning, without erasing.
    virtual void RedrawChild(Child child) = 0;
    // Shows part of a pane again from its buffer, `area` in the pane's client coordinates. The
    // window may paint it later, together with other parts, before it next shows anything;
    // a host that cannot show a part shows the whole pane.
    virtual void RedrawChildArea(Child child, const Rect& area) {
        (void)area;
        RedrawChild(child);
    }

    // The selectors: empty a list, reserve room, append an entry, select an entry.
    virtual void ResetSelector(int id) = 0;
    virtual void ReserveSelector(int id, int count, int bytesPerEntry) = 0;
    virtual void AddSelectorEntry(int id, const std::string& text) = 0;
    virtual void SelectSelectorEntry(int id, int index) = 0;

    // Asks the platform to refresh the menu check marks, toolbar buttons and item labels from
    // MainWnd::IsChecked and MainWnd::MenuLabel.
    virtual void UpdateCommandStates() = 0;
    // The main window's title.
    virtual void SetTitle(const std::string& title) = 0;
    // One field of the status bar.
    virtual void SetStatus(StatusField field, const std::string& text) = 0;
    // Starts a timer that calls MainWnd::OnTimer(id) every `milliseconds` until KillTimer(id);
    // starting a running one starts it again.
    virtual void SetTimer(int id, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;
    // Closes the main window (after the quit question was answered Yes).
    virtual void CloseWindow() = 0;
    // Watches these files (operating-system paths) and no others: a change on disk to one of
    // them calls MainWnd::OnFileChanged(path). Hosts that cannot watch ignore it.
    virtual void WatchFiles(const std::vector<std::string>& paths) { (void)paths; }
};

}  // namespace varp
