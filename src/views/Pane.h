// What the three panes share: the host they talk through, their 8-bit bottom-up picture, and
// the window messages they handle.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "app/App.h"
#include "edit/Stroke.h"
#include "platform/PaneHost.h"
#include "raster/Raster.h"

namespace varp {

// The client width raised to a multiple of 4, so that a buffer row is a whole number of
// 32-bit words (and of bitmap row padding).
inline int RoundUpToFour(int width) {
    return (width + 3) & ~3;
}

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

    // The picture: BufferWidth x BufferHeight palette indices, row 0 the bottom line.
    const uint8_t* Pixels() const { return PixelBuffer.data(); }
    int Width() const { return BufferWidth; }
    int Height() const { return BufferHeight; }
    PaneHost& Host() { return host_; }

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
    // A paint drag is one stroke: it starts at the press, and its end hands the step that
    // takes it back to the history.
    void BeginStroke() { Painting.Begin(app_); }
    void EndStroke();
    // PaintColour into the current skin's texel at `offset` (row x SkinWidth + column) through
    // the stroke, unless the texel's present colour is locked. Returns whether it was painted
    // (even if its colour stays: the stroke is reported, not the change); the caller sends one
    // TexelsPainted refresh for all it painted in an input event.
    bool PaintSkinTexel(uint32_t offset);

    Stroke Painting;

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

    App& app_;
    PaneHost& host_;
};

}  // namespace varp
