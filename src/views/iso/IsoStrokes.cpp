// What the 3D view's strokes do to the Workspace: paint a texel, pick a colour, select or
// deselect a triangle, each through the pick entry under the mouse.
#include <cstdint>

#include "views/iso/IsoBox.h"

namespace varp {

uint32_t IsoBox::TexelUnder(ClientPoint p) const {
    // After a mode change the entries may still be triangle indices (or the reverse): such an
    // entry is never read as a texel offset.
    const SkinImage* skin = app_.CurrentSkin;
    if (skin == nullptr || pickHolds_ != PickMeaning::TexelOffsets) return NoPick;
    const uint32_t e = PickAt(p);
    return e < skin->Pixels.size() ? e : NoPick;
}

uint32_t IsoBox::TriangleUnder(ClientPoint p) const {
    if (pickHolds_ != PickMeaning::TriangleIndices) return NoPick;
    const uint32_t t = PickAt(p);
    return t < static_cast<uint32_t>(app_.NumTriangles) ? t : NoPick;
}

void IsoBox::PaintTexel(ClientPoint p) {
    const uint32_t e = TexelUnder(p);
    if (e != NoPick && PaintSkinTexel(e)) host_.SendRefresh(Refresh::TexelsPainted);
}

void IsoBox::PickColour(ClientPoint p) {
    const uint32_t e = TexelUnder(p);
    if (e == NoPick) return;
    app_.PaintColour = app_.CurrentSkin->Pixels[e];
    host_.SendRefresh(Refresh::PaintColour);
}

void IsoBox::ChangeSelection(ClientPoint p, bool select) {
    const uint32_t t = TriangleUnder(p);
    if (t == NoPick) return;
    uint32_t& flags = app_.Triangles[t].Flags;
    // Only a change is reported: a drag back over a triangle already done sends nothing.
    if (((flags & Selected) != 0) == select) return;
    flags = select ? flags | Selected : flags & ~Selected;
    host_.SendRefresh(Refresh::Selection);
}

}  // namespace varp
