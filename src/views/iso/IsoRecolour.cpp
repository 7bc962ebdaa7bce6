// The 3D view's recolour of some texels: through the texel index, only the pixels that show
// them, and the rectangle around those pixels for the window to show again.
#include <algorithm>

#include "views/iso/IsoBox.h"

namespace varp {

namespace {

// Above this share of the pane's pixels, the area's texels are recoloured by the whole pass:
// walking the index then costs about as much, in scattered writes.
constexpr size_t WholePassShare = 16;

}  // namespace

void IsoBox::RecolourTexels(const TexelRect& area) {
    const SkinImage* skin = app_.CurrentSkin;
    const size_t count = static_cast<size_t>(std::max<int16_t>(BufferWidth, 0)) *
                         static_cast<size_t>(std::max<int16_t>(BufferHeight, 0));
    // What the whole recolour would do otherwise than texel by texel (a Mapping render, nothing
    // at all, or a pass that also puts back pixels a Quick render drew) it does itself.
    if (area.Empty() || count == 0 || app_.Mode == ModeMapping || !picksShown_ || skin == nullptr ||
        skin->Width < 1 || pickHolds_ != PickMeaning::TexelOffsets ||
        skin->Pixels.size() < pickTexels_) {
        Render(Kind::Recolour);
        return;
    }
    const int32_t left = std::max(area.Left, 0), right = std::min(area.Right, skin->Width - 1);
    const int32_t top = std::max(area.Top, 0), bottom = std::min(area.Bottom, skin->Height - 1);
    dirty_ = Rect{};
    if (left > right || top > bottom) return;
    const size_t texelCount =
        static_cast<size_t>(right - left + 1) * static_cast<size_t>(bottom - top + 1);
    if (texelCount > count / WholePassShare ||
        (!texelIndex_.Built() &&
         !texelIndex_.Build(PickBuffer.data(), count, skin->Pixels.size()))) {
        Render(Kind::Recolour);
        return;
    }
    const uint8_t* const texels = skin->Pixels.data();
    uint8_t* const pixels = PixelBuffer.data();
    const auto width = static_cast<uint32_t>(BufferWidth);
    uint32_t lowest = UINT32_MAX, highest = 0;
    uint32_t leftmost = UINT32_MAX, rightmost = 0;
    for (int32_t t = top; t <= bottom; ++t) {
        const size_t row = static_cast<size_t>(t) * static_cast<size_t>(skin->Width);
        for (int32_t s = left; s <= right; ++s) {
            const size_t offset = row + static_cast<size_t>(s);
            const uint8_t colour = texels[offset];
            for (const uint32_t p : texelIndex_.PixelsOf(offset)) {
                pixels[p] = colour;
                lowest = std::min(lowest, p);
                highest = std::max(highest, p);
                leftmost = std::min(leftmost, p % width);
                rightmost = std::max(rightmost, p % width);
            }
        }
    }
    if (lowest > highest) return;
    dirty_ = ClientRectOf(static_cast<int>(leftmost), static_cast<int>(rightmost),
                          static_cast<int>(lowest / width), static_cast<int>(highest / width));
}

}  // namespace varp
