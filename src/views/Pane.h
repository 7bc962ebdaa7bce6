// What the three panes share: the host they talk through, their 8-bit bottom-up picture, and
// the window messages they handle.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "app/App.h"
#include "edit/PaintTools.h"
#include "platform/FrameHost.h"
#include "platform/PaneHost.h"
#include "raster/Raster.h"

namespace varp {

// The client width raised to a multiple of 4, so that a buffer row is a whole number of
// 32-bit words (and of bitmap row padding).
inline int RoundUpToFour(int width) {
    return (width + 3) & ~3;
}

class Pane;

// What lies under the mouse in a pane, for the status bar.
struct CursorInfo {
    bool Over = false;     // the pointer is over the pane
    bool OnTexel = false;  // and over texel (S, T) of the current skin
    int32_t S = 0;
    int32_t T = 0;
    int32_t Triangle = -1;  // in Mapping mode the triangle under it, else -1
    bool operator==(const CursorInfo&) const = default;
};

// Who hears that what lies under the mouse changed (the main window, for its status bar).
class PaneWatcher {
  public:
    virtual ~PaneWatcher() = default;
    virtual void CursorMoved(Pane& pane) = 0;
};

class Pane {
  public:
    Pane(App& app, PaneHost& host) : app_(app), host_(host) {}
    virtual ~Pane() = default;
    Pane(const Pane&) = delete;
    Pane& operator=(const Pane&) = delete;

    // Window messages. Points are client coordinates (y downward); flags are MK_* bits.
    virtual void OnSize(int cx, int cy) = 0;
    virtual void OnLButtonDown(ClientPoint, unsigned) {}
    virtual void OnLButtonUp(ClientPoint, unsigned) {}
    virtual void OnRButtonDown(ClientPoint, unsigned) {}
    virtual void OnRButtonUp(ClientPoint, unsigned) {}
    virtual void OnMouseMove(ClientPoint, unsigned) {}
    virtual void OnCaptureChanged() {}
    // The wheel turned by `delta` eighths of a degree (120 a notch; positive away from the
    // user) with the pointer at p.
    virtual void OnMouseWheel(ClientPoint, int, unsigned) {}
    // The pointer left the pane.
    void OnMouseLeave() { ShowCursorInfo(CursorInfo()); }
    // Home: the skin fitted to the pane, or the model framed.
    virtual void FitView() {}

    // What lies under the mouse, as last seen by a move; the watcher hears every change.
    const CursorInfo& Cursor() const { return cursor_; }
    void SetWatcher(PaneWatcher* watcher) { watcher_ = watcher; }

    // The picture: BufferWidth x BufferHeight palette indices, row 0 the bottom line.
    const uint8_t* Pixels() const { return PixelBuffer.data(); }
    // The rectangle (left, top, width, height) of the picture blitted through `table` into a
    // top-down 32-bit image, as BlitPane does; a pane with threads of its own may split it.
    virtual void BlitArea(const uint32_t table[256], int left, int top, int width, int height,
                          uint32_t* dst, int dstStride);
    int Width() const { return BufferWidth; }
    int Height() const { return BufferHeight; }
    PaneHost& Host() { return host_; }
    // The part of the picture the last render changed, in client coordinates (empty when it
    // changed nothing): all the window has to show again.
    const Rect& Dirty() const { return dirty_; }

    std::vector<uint8_t> PixelBuffer;
    int16_t BufferWidth = -1;
    int16_t BufferHeight = -1;

  protected:
    // Whether a client point lies inside the pane's client area as the host reports it now.
    bool InsideClient(ClientPoint p);
    // Hide the cursor / show it again: ShowCursor until the display count is below zero / at
    // least zero. At most a fixed number of calls, so that a count that never crosses zero
    // (something else keeps the cursor hidden or shown) cannot hold the pane in a loop.
    void HideCursor();
    void ShowCursorAgain();
    // A paint drag is one use of the paint tool: it starts at the press, and its end hands
    // the step that takes it back to the history.
    void EndStroke();
    // One TexelsPainted refresh for all an input event painted, if it painted anything (even
    // texels whose colour stays: the stroke is reported, not the change).
    void ReportPainted();
    // Tells the watcher when what lies under the mouse changed.
    void ShowCursorInfo(const CursorInfo& info);

    ToolStroke Painting;
    // The last texel (flat skin) or point (3D view) a tool painted at, where a Shift press
    // continues from, and a Line tool's anchor.
    bool LastValid = false;
    int32_t LastX = 0, LastY = 0;
    int32_t AnchorX = 0, AnchorY = 0;

    // Sides the 16-bit buffer sizes can hold; the width is then raised to a multiple of 4.
    static constexpr int MaxBufferWidth = 32764;
    static constexpr int MaxBufferHeight = 32767;

    // The resize every pane makes on a size change. Returns true when the buffers were
    // replaced and the pane should render; false when the size rounds to the present one, or
    // when the new buffers do not fit in memory (then the pane stays empty, 0 x 0, and the next
    // size change tries again). `release` frees every buffer of the pane, `allocate(count)`
    // makes each of them count elements; the old buffers are gone before the new ones are made.
    template <typename Release, typename Allocate>
    bool ReplaceBuffers(int cx, int cy, Release release, Allocate allocate) {
        const int width = RoundUpToFour(std::clamp(cx, 0, MaxBufferWidth));
        const int height = std::clamp(cy, 0, MaxBufferHeight);
        if (width == BufferWidth && height == BufferHeight) return false;
        release();
        try {
            allocate(static_cast<size_t>(width) * static_cast<size_t>(height));
            // The edge table grows here, so that drawing never has to.
            Edges.Reserve(height);
        } catch (const std::bad_alloc&) {
            release();
            BufferWidth = BufferHeight = 0;
            return false;
        }
        BufferWidth = static_cast<int16_t>(width);
        BufferHeight = static_cast<int16_t>(height);
        return true;
    }

    // The whole picture as the drawing target, clipped to the buffer, with the depth and pick
    // buffers of the same layout when the pane has them.
    RasterTarget WholeTarget(uint16_t* depth = nullptr, uint32_t* pick = nullptr) {
        return RasterTarget{
            PixelBuffer.data(), depth, pick, BufferWidth, BufferHeight, 0, BufferWidth - 1, 0,
            BufferHeight - 1,   &Edges};
    }

    // The fillers' working memory for this pane's picture.
    EdgeTable Edges;

    // Buffer columns left..right and rows bottom..top (row 0 the bottom line), inclusive, as a
    // rectangle in client coordinates; empty when left > right.
    Rect ClientRectOf(int left, int right, int bottom, int top) const {
        if (left > right || bottom > top) return Rect{};
        return Rect{left, BufferHeight - 1 - top, right + 1, BufferHeight - bottom};
    }
    Rect WholeRect() const { return Rect{0, 0, BufferWidth, BufferHeight}; }
    Rect dirty_;

    App& app_;
    PaneHost& host_;

  private:
    CursorInfo cursor_;
    PaneWatcher* watcher_ = nullptr;
};

}  // namespace varp
