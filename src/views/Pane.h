// What the three panes share: the host they talk through, their 8-bit bottom-up picture, and
// the window messages they handle.
#pragma once

#include <cstdint>
#include <vector>

#include "app/App.h"
#include "platform/PaneHost.h"

namespace varp {

// The client width raised to a multiple of 4, so that a buffer row is a whole number of
// 32-bit words (and of bitmap row padding).
inline int RoundUpToFour(int width) { return (width + 3) & ~3; }

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
    App& app_;
    PaneHost& host_;
};

}  // namespace varp
