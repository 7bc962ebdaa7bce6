// The 3D view's recolour of some texels: through the texel index, only the rectangle of the
// pixels that show them, which the window then shows again.
#include <algorithm>

#include "views/iso/IsoBox.h"

namespace varp {

namespace {

// Above this share of the pane's pixels, the area's texels are recoloured by the whole pass:
// their rectangles would then cover about as much.
constexpr size_t WholePassShare = 16;

}  // namespace

bool IsoBox::PicksShowTexels() const {
    const SkinImage* skin = app_.CurrentSkin;
    return app_.Mode != ModeMapping && picksShown_ && skin != nullptr && skin->Width >= 1 &&
           pickHolds_ == PickMeaning::TexelOffsets && skin->Pixels.size() >= pickTexels_ &&
           !skin->Pixels.empty() && BufferWidth > 0 && BufferHeight > 0;
}

void IsoBox::PrepareTexelIndex() {
    if (texelIndex_.Built() || !PicksShowTexels()) return;
    texelIndex_.Build(PickBuffer.data(), BufferWidth, BufferHeight,
                      app_.CurrentSkin->Pixels.size());
}

void IsoBox::RecolourTexels(const TexelRect& area) {
    const SkinImage* skin = app_.CurrentSkin;
    // What the whole recolour would do otherwise than texel by texel (a Mapping render, nothing
    // at all, or a pass that also puts back pixels a Quick render drew) it does itself.
    if (area.Empty() || !PicksShowTexels()) {
        Render(Kind::Recolour);
        return;
    }
    const size_t count = static_cast<size_t>(BufferWidth) * static_cast<size_t>(BufferHeight);
    const int32_t left = std::max(area.Left, 0), right = std::min(area.Right, skin->Width - 1);
    const int32_t top = std::max(area.Top, 0), bottom = std::min(area.Bottom, skin->Height - 1);
    dirty_ = Rect{};
    if (left > right || top > bottom) return;
    const size_t texelCount =
        static_cast<size_t>(right - left + 1) * static_cast<size_t>(bottom - top + 1);
    if (texelCount > count / WholePassShare ||
        (!texelIndex_.Built() &&
         !texelIndex_.Build(PickBuffer.data(), BufferWidth, BufferHeight, skin->Pixels.size()))) {
        Render(Kind::Recolour);
        return;
    }
    PixelBox box;
    for (int32_t t = top; t <= bottom; ++t) {
        const size_t row = static_cast<size_t>(t) * static_cast<size_t>(skin->Width);
        for (int32_t s = left; s <= right; ++s)
            box.Add(texelIndex_.BoxOf(row + static_cast<size_t>(s)));
    }
    if (box.Empty()) return;
    // The whole pass, inside the box: every other pixel there shows its texel already.
    RecolourPicked(box);
    dirty_ = ClientRectOf(box.Left, box.Right, box.Bottom, box.Top);
}

void IsoBox::RecolourPicked(const PixelBox& box) {
    // The three buffers never overlap; saying so lets the compiler keep the loop tight.
    const uint8_t* __restrict texels = app_.CurrentSkin->Pixels.data();
    for (int32_t y = box.Bottom; y <= box.Top; ++y) {
        const size_t first = static_cast<size_t>(y) * static_cast<size_t>(BufferWidth);
        uint8_t* __restrict pixels = PixelBuffer.data() + first;
        const uint32_t* __restrict pick = PickBuffer.data() + first;
        for (int32_t x = box.Left; x <= box.Right; ++x) {
            // Without a branch: the background's entries read texel 0 and keep their colour.
            const uint32_t e = pick[x];
            const uint8_t texel = texels[e == NoPick ? 0 : e];
            pixels[x] = e == NoPick ? pixels[x] : texel;
        }
    }
}

}  // namespace varp
