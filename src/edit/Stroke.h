// A paint stroke, press to release: the texels it writes, so that the whole stroke becomes one
// step however many texels it painted, and the texels each input event wrote, so that one
// refresh follows each event.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/History.h"
#include "app/Workspace.h"
#include "edit/SkinStep.h"

namespace varp {

class Stroke {
  public:
    // Starts a stroke on the current skin; without one the stroke paints nothing.
    void Begin(Workspace& ws);
    bool Active() const { return skin_ != nullptr; }

    // Writes `colour` into texel (s, t) of the stroke's skin unless the texel lies outside it
    // or its present colour is locked. Returns whether it was written (also when it already
    // held the colour: the stroke is reported, not the change).
    bool Paint(Workspace& ws, int32_t s, int32_t t, uint8_t colour);
    // As Paint, with the colour `ink` gives for the colour the texel had when the stroke began:
    // painting a texel twice in one stroke then writes what painting it once does.
    bool Paint(Workspace& ws, int32_t s, int32_t t, const std::array<uint8_t, 256>& ink);

    // The stroke's skin (null when none), and a texel of it as it was when the stroke began.
    const SkinImage* Skin() const { return skin_; }
    uint8_t Before(int32_t s, int32_t t) const {
        return before_[static_cast<size_t>(t) * static_cast<size_t>(skin_->Width) +
                       static_cast<size_t>(s)];
    }
    // Puts back every texel the stroke wrote as it was when the stroke began, so that a line
    // can be drawn again from scratch; those texels count as written by this event.
    void Revert();

    // The texels written since the last ClearEvent, for the refresh of one input event.
    const TexelRect& EventArea() const { return event_; }
    void ClearEvent() { event_ = TexelRect(); }

    // Ends the stroke: the step that takes it back, named `label`, or null when it changed no
    // texel in the end (the skin then keeps the revision it had).
    std::unique_ptr<EditStep> End(const char* label = "Paint Stroke");

  private:
    SkinImage* skin_ = nullptr;
    // The skin's texels at the press. Kept between strokes, so that a press allocates only
    // for a skin larger than any before and a move never does.
    std::vector<uint8_t> before_;
    TexelRect area_;
    TexelRect event_;
    bool changed_ = false;
    uint64_t revisionBefore_ = 0;
};

}  // namespace varp
