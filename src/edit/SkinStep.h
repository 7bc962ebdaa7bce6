// Steps that change a skin's contents: its texels, its stored checkpoint, its palette. Of the
// texels only what changed is kept: each changed texel's offset and other value, five bytes a
// texel. The checkpoint is kept whole, because a save also sets it and is no step: taking back
// a Store or a Reload puts back the checkpoint they found, whatever saves did since.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/History.h"
#include "app/TexelRect.h"
#include "app/Workspace.h"

namespace varp {

// The changed texels of one buffer, each as its offset and its other value.
class TexelSwap {
  public:
    // Every texel of `area` where `before` (a copy of the whole buffer) and `now` differ.
    void Record(const std::vector<uint8_t>& before, const std::vector<uint8_t>& now, int width,
                const TexelRect& area);
    // Exchanges the kept values with the buffer's.
    void Swap(std::vector<uint8_t>& buffer);
    bool Empty() const { return packed_.empty(); }
    size_t Count() const { return packed_.size() / 5; }
    // The smallest rectangle holding every kept texel, in a buffer `width` texels wide.
    TexelRect Area(int width) const;
    size_t Bytes() const { return packed_.capacity(); }

  private:
    std::vector<uint8_t> packed_;  // offset (4 bytes, little-endian), then the other value
};

class SkinStep : public EditStep {
  public:
    SkinStep(const char* label, SkinImage& skin) : EditStep(label), skin_(skin) {}

    void Swap(Workspace& ws) override;
    size_t Bytes() const override;
    SkinImage* TexelsOf() const override { return Palette ? nullptr : &skin_; }
    TexelRect TexelArea() const override { return Pixels.Area(skin_.Width); }

    TexelSwap Pixels;
    // The other checkpoint, when the step changes it.
    std::unique_ptr<std::vector<uint8_t>> Stored;
    // The other palette, when the step changes it.
    std::unique_ptr<std::array<uint8_t, 768>> Palette;
    // The skin's revision on the other side.
    uint64_t OtherRevision = 0;

  private:
    SkinImage& skin_;
};

// A skin's contents as they were before a command changes them, to make the command's step from
// once the change is made.
class SkinChange {
  public:
    explicit SkinChange(SkinImage& skin)
        : skin_(skin), pixels_(skin.Pixels), stored_(skin.StoredPixels), palette_(skin.Palette) {}

    // The step from the state captured to the skin's present one, with a new revision for the
    // skin; null when nothing changed.
    std::unique_ptr<EditStep> Finish(const char* label, Workspace& ws) const;

  private:
    SkinImage& skin_;
    std::vector<uint8_t> pixels_;
    std::vector<uint8_t> stored_;
    std::array<uint8_t, 768> palette_;
};

}  // namespace varp
