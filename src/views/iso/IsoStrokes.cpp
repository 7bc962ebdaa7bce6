// What the 3D view's strokes do to the Workspace: the paint tools, colour pick, triangle
// selection, each through the pick entry under the mouse; and the wheel, Home and what lies
// under the mouse.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "views/iso/IsoBox.h"

namespace varp {

uint32_t IsoBox::TexelUnder(ClientPoint p) const {
    // After a mode change the entries may still be triangle indices (or the reverse): such an
    // entry is never read as a texel offset. The columns that round the buffer up to four lie
    // past the window's edge, where nothing is shown.
    const SkinImage* skin = app_.CurrentSkin;
    if (skin == nullptr || pickHolds_ != PickMeaning::TexelOffsets || p.x >= clientWidth_) {
        return NoPick;
    }
    const uint32_t e = PickAt(p);
    return e < skin->Pixels.size() ? e : NoPick;
}

uint32_t IsoBox::TriangleUnder(ClientPoint p) const {
    if (pickHolds_ != PickMeaning::TriangleIndices || p.x >= clientWidth_) return NoPick;
    const uint32_t t = PickAt(p);
    return t < static_cast<uint32_t>(app_.NumTriangles) ? t : NoPick;
}

void IsoBox::PaintBrushAt(ClientPoint p) {
    const Footprint& brush = Painting.Brush();
    const auto width = static_cast<uint32_t>(std::max<int16_t>(app_.SkinWidth, 1));
    const bool mirror = app_.Mirror != 0;
    for (int32_t row = 0; row < brush.Size; ++row) {
        const int32_t y = p.y + brush.First + row;
        for (int32_t x = p.x + brush.Left[row]; x <= p.x + brush.Right[row]; ++x) {
            const uint32_t e = TexelUnder({x, y});
            if (e != NoPick) {
                Painting.PaintTexel(app_, static_cast<int32_t>(e % width),
                                    static_cast<int32_t>(e / width));
            }
            if (!mirror) continue;
            const uint32_t m = MirrorTexelUnder({x, y});
            if (m != NoPick) {
                Painting.PaintTexel(app_, static_cast<int32_t>(m % width),
                                    static_cast<int32_t>(m / width));
            }
        }
    }
}

void IsoBox::PaintSegment(ClientPoint from, ClientPoint to, bool withFirst) {
    // Pixel by pixel along the screen segment, so that a quick move leaves no gap.
    WalkLine(from.x, from.y, to.x, to.y, [&](int32_t x, int32_t y) {
        if (withFirst || x != from.x || y != from.y) PaintBrushAt({x, y});
    });
}

void IsoBox::BeginPaint(ClientPoint p, unsigned flags, bool darker) {
    Painting.Begin(app_, darker, false);
    const bool fromLast = (flags & MK_SHIFT) != 0 && LastValid;
    const auto width = static_cast<uint32_t>(std::max<int16_t>(app_.SkinWidth, 1));
    switch (Painting.Tool()) {
        case ToolFill:
        case ToolReplace: {
            const uint32_t e = TexelUnder(p);
            const uint32_t m = app_.Mirror != 0 ? MirrorTexelUnder(p) : NoPick;
            for (const uint32_t texel : {e, m}) {
                if (texel == NoPick) continue;
                const auto s = static_cast<int32_t>(texel % width);
                const auto t = static_cast<int32_t>(texel / width);
                if (Painting.Tool() == ToolFill) {
                    Painting.Fill(app_, s, t);
                } else if (texel == e) {
                    Painting.Replace(app_, s, t);
                }
            }
            break;
        }
        case ToolLine:
            AnchorX = fromLast ? LastX : p.x;
            AnchorY = fromLast ? LastY : p.y;
            PaintSegment({AnchorX, AnchorY}, p, true);
            break;
        default:
            if (fromLast) {
                PaintSegment({LastX, LastY}, p, true);
            } else {
                PaintBrushAt(p);
            }
            break;
    }
    LastX = p.x;
    LastY = p.y;
    LastValid = true;
    ReportPainted();
}

void IsoBox::ContinuePaint(ClientPoint p) {
    switch (Painting.Tool()) {
        case ToolFill:
        case ToolReplace:
            return;
        case ToolLine:
            Painting.Revert();
            PaintSegment({AnchorX, AnchorY}, p, true);
            break;
        default:
            // Over the same point again, that point, so that each move is reported; after the
            // wheel moved the camera, only the point under the pointer.
            if (!LastValid) {
                LastX = p.x;
                LastY = p.y;
            }
            PaintSegment({LastX, LastY}, p, p.x == LastX && p.y == LastY);
            break;
    }
    LastValid = true;
    LastX = p.x;
    LastY = p.y;
    ReportPainted();
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

void IsoBox::NoteCursor(ClientPoint p) {
    CursorInfo info;
    info.Over = InsideClient(p);
    if (info.Over) {
        const auto width = static_cast<uint32_t>(std::max<int16_t>(app_.SkinWidth, 1));
        if (const uint32_t e = TexelUnder(p); e != NoPick) {
            info.OnTexel = true;
            info.S = static_cast<int32_t>(e % width);
            info.T = static_cast<int32_t>(e / width);
        }
        if (const uint32_t t = TriangleUnder(p); t != NoPick) {
            info.Triangle = static_cast<int32_t>(t);
        }
    }
    ShowCursorInfo(info);
}

void IsoBox::OnMouseWheel(ClientPoint p, int delta, unsigned) {
    // A camera drag owns the camera while it runs.
    if (DragState == Drag::Orbit || DragState == Drag::Look || DragState == Drag::Zoom) return;
    wheelRest_ += delta;
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches == 0) return;
    LastValid = false;  // screen points from before the camera moves mean nothing after it
    ViewCamera.Dolly(-notches * DollyPerNotch);
    Render(Kind::Full);
    host_.RedrawNow();
    NoteCursor(p);
}

void IsoBox::FitView() {
    const ModelFrame* frame = app_.CurrentFrame;
    if (frame == nullptr) return;
    const size_t n = std::min(static_cast<size_t>(std::max<int16_t>(app_.NumVertices, 0)),
                              frame->Vertices.size());
    // The sphere about the middle of the frame's bounding box that holds every vertex.
    double low[3] = {INFINITY, INFINITY, INFINITY}, high[3] = {-INFINITY, -INFINITY, -INFINITY};
    size_t used = 0;
    for (size_t i = 0; i < n; ++i) {
        const Vec3& v = frame->Vertices[i];
        if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2])) continue;
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], double{v[c]});
            high[c] = std::max(high[c], double{v[c]});
        }
        ++used;
    }
    if (used == 0) return;
    LastValid = false;
    const double centre[3] = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2,
                              (low[2] + high[2]) / 2};
    double radius = 0;
    for (size_t i = 0; i < n; ++i) {
        const Vec3& v = frame->Vertices[i];
        if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2])) continue;
        radius = std::max(radius, std::hypot(v[0] - centre[0], v[1] - centre[1], v[2] - centre[2]));
    }
    // Seen from the same side as now, far enough back that the sphere fills the field of view.
    double dir[3] = {double{ViewCamera.Eye[0]} - ViewCamera.Target[0],
                     double{ViewCamera.Eye[1]} - ViewCamera.Target[1],
                     double{ViewCamera.Eye[2]} - ViewCamera.Target[2]};
    const double length = std::hypot(dir[0], dir[1], dir[2]);
    if (!(length > 0) || !std::isfinite(length)) {
        dir[0] = 1;
        dir[1] = dir[2] = 0;
    } else {
        for (double& d : dir) d /= length;
    }
    constexpr double DegreesToRadians = 3.14159265358979323846 / 180.0;
    const double halfField = std::clamp(double{ViewCamera.FieldOfView}, 1.0, 120.0) / 2.0;
    const double distance = std::max(radius, 1.0) / std::sin(halfField * DegreesToRadians);
    for (int c = 0; c < 3; ++c) {
        ViewCamera.Target[c] = static_cast<float>(centre[c]);
        ViewCamera.Eye[c] = static_cast<float>(centre[c] + dir[c] * distance);
    }
    Render(Kind::Full);
    host_.RedrawNow();
}

}  // namespace varp
