// The skin view's paint tools, wheel zoom, fit, mirror axis and what lies under the mouse.
#include <algorithm>
#include <cmath>

#include "views/Contrast.h"
#include "views/skin/SkinBox.h"

namespace varp {

namespace {

// The zoom steps of the wheel: 1/64, 1/32 ... 1/2, then every whole zoom up to MaxZoom.
double NextZoom(double zoom, bool in) {
    constexpr double Slack = 1e-6;
    if (in) {
        if (zoom >= 1.0 - Slack) return std::floor(zoom + Slack) + 1.0;
        double step = SkinBox::MinZoom;
        while (step <= zoom * (1.0 + Slack)) step *= 2.0;
        return step;
    }
    if (zoom > 1.0 + Slack) return std::ceil(zoom - Slack) - 1.0;
    double step = 1.0;
    while (step >= zoom * (1.0 - Slack) && step > SkinBox::MinZoom) step /= 2.0;
    return step;
}

}  // namespace

void SkinBox::SkinPointAt(ClientPoint p, double& s, double& t) const {
    // The middle of pixel p, in pixels right of the centre column and below the centre row (the
    // buffer's rows count upward from the bottom).
    const double right = p.x + 0.5 - BufferWidth / 2;
    const double down = (BufferHeight - 1 - p.y + 0.5) - BufferHeight / 2;
    s = right / double{Zoom} + double{PanS};
    t = -down / double{Zoom} + double{PanT};
}

TexelPoint SkinBox::PaintTexelAt(ClientPoint p) const {
    const uint32_t offset = PickAt(p);
    if (offset != NoTexel) {
        const auto width = static_cast<uint32_t>(app_.SkinWidth);
        return {static_cast<int32_t>(offset % width), static_cast<int32_t>(offset / width)};
    }
    // Off the skin: the skin point under the middle of the pixel, rounded down, so that a brush
    // or a line reaching in from the background meets the edge texels where they are drawn.
    double s = 0, t = 0;
    SkinPointAt(p, s, t);
    const double limit = 1e9;
    return {static_cast<int32_t>(std::clamp(std::floor(s), -limit, limit)),
            static_cast<int32_t>(std::clamp(std::floor(t), -limit, limit))};
}

void SkinBox::BeginPaint(ClientPoint p, unsigned flags, bool darker) {
    Painting.Begin(app_, darker, true);
    const TexelPoint at = PaintTexelAt(p);
    // Shift continues from where the last use of a tool ended.
    const bool fromLast = (flags & MK_SHIFT) != 0 && LastValid;
    switch (Painting.Tool()) {
        case ToolFill:
            Painting.Fill(app_, at.s, at.t);
            break;
        case ToolReplace:
            Painting.Replace(app_, at.s, at.t);
            break;
        case ToolLine:
            AnchorX = fromLast ? LastX : at.s;
            AnchorY = fromLast ? LastY : at.t;
            Painting.Line(app_, AnchorX, AnchorY, at.s, at.t, true);
            break;
        default:
            if (fromLast) {
                Painting.Line(app_, LastX, LastY, at.s, at.t, true);
            } else {
                Painting.Stamp(app_, at.s, at.t);
            }
            break;
    }
    LastX = at.s;
    LastY = at.t;
    LastValid = true;
    ReportPainted();
}

void SkinBox::ContinuePaint(ClientPoint p) {
    const TexelPoint at = PaintTexelAt(p);
    switch (Painting.Tool()) {
        case ToolFill:
        case ToolReplace:
            return;
        case ToolLine:
            Painting.Revert();
            Painting.Line(app_, AnchorX, AnchorY, at.s, at.t, true);
            break;
        default:
            // Every texel from the last one on; over the same texel again, that texel, so that
            // each move is reported.
            Painting.Line(app_, LastX, LastY, at.s, at.t, at.s == LastX && at.t == LastY);
            break;
    }
    LastX = at.s;
    LastY = at.t;
    ReportPainted();
}

void SkinBox::NoteCursor(ClientPoint p) {
    CursorInfo info;
    info.Over = InsideClient(p);
    if (info.Over && DrawableSkin() != nullptr) {
        if (app_.Mode == ModeMapping) {
            // Mapping renders leave the pick buffer alone, so the transform says where it is.
            double s = 0, t = 0;
            SkinPointAt(p, s, t);
            info.OnTexel = s >= 0 && t >= 0 && s < app_.SkinWidth && t < app_.SkinHeight;
            info.S = info.OnTexel ? static_cast<int32_t>(s) : 0;
            info.T = info.OnTexel ? static_cast<int32_t>(t) : 0;
            const int count = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
            for (int i = 0; info.OnTexel && i < count && info.Triangle < 0; ++i) {
                if (TexelInTriangle(app_.Triangles[i], info.S, info.T)) info.Triangle = i;
            }
        } else if (const uint32_t offset = PickAt(p); offset != NoTexel) {
            const auto width = static_cast<uint32_t>(app_.SkinWidth);
            info.OnTexel = true;
            info.S = static_cast<int32_t>(offset % width);
            info.T = static_cast<int32_t>(offset / width);
        }
    }
    ShowCursorInfo(info);
}

void SkinBox::OnMouseWheel(ClientPoint p, int delta, unsigned) {
    // A view drag owns the zoom while it runs.
    if (DragState == Drag::View) return;
    wheelRest_ += delta;
    const int steps = wheelRest_ / 120;
    wheelRest_ -= steps * 120;
    if (steps == 0) return;
    const uint32_t anchor = PickAt(p);
    ZoomStepAt(p, steps);
    Render(Kind::Full);
    // The filler decides which texel a pixel shows: where the pointer's pixel now shows a
    // neighbour of the texel it showed, the view moves a pixel at a time until it shows that one.
    const auto width = static_cast<int64_t>(std::max<int16_t>(app_.SkinWidth, 1));
    for (int i = 0; i < 3 && anchor != NoTexel && Zoom >= 1.0f; ++i) {
        const uint32_t now = PickAt(p);
        if (now == anchor || now == NoTexel) break;
        const int64_t ds = int64_t{now} % width - int64_t{anchor} % width;
        const int64_t dt = int64_t{now} / width - int64_t{anchor} / width;
        PanS -= static_cast<float>((ds > 0) - (ds < 0)) / Zoom;
        PanT -= static_cast<float>((dt > 0) - (dt < 0)) / Zoom;
        KeepViewInRange();
        Render(Kind::Full);
    }
    host_.RedrawNow();
    NoteCursor(p);
}

void SkinBox::ZoomStepAt(ClientPoint p, int steps) {
    KeepViewInRange();
    double s = 0, t = 0;
    SkinPointAt(p, s, t);
    const double right = (s - double{PanS}) * double{Zoom};
    const double up = (t - double{PanT}) * double{Zoom};
    double zoom = Zoom;
    for (int i = 0; i < std::min(std::abs(steps), 600); ++i) zoom = NextZoom(zoom, steps > 0);
    Zoom = static_cast<float>(std::clamp(zoom, double{MinZoom}, double{MaxZoom}));
    PanS = static_cast<float>(s - right / double{Zoom});
    PanT = static_cast<float>(t - up / double{Zoom});
    KeepViewInRange();
    SnapToPixels();
}

void SkinBox::SnapToPixels() {
    const double zoom = Zoom;
    if (zoom < 1.0 || zoom != std::floor(zoom)) return;
    // Column of skin point 0 at a whole number and a half, so that truncation never meets an
    // edge; likewise the row.
    const double column = std::floor(BufferWidth / 2 - double{PanS} * zoom) + 0.5;
    const double row = std::floor(BufferHeight / 2 + double{PanT} * zoom) + 0.5;
    PanS = static_cast<float>((BufferWidth / 2 - column) / zoom);
    PanT = static_cast<float>((row - BufferHeight / 2) / zoom);
    KeepViewInRange();
}

void SkinBox::FitInto(int width, int height) {
    if (app_.SkinWidth < 1 || app_.SkinHeight < 1) return;
    double zoom = std::min(width / app_.SkinWidth, height / app_.SkinHeight);
    if (zoom < 1.0) {
        zoom = 1.0;
        while (zoom > MinZoom &&
               (app_.SkinWidth * zoom > width || app_.SkinHeight * zoom > height)) {
            zoom /= 2.0;
        }
    }
    Zoom = static_cast<float>(std::min(zoom, double{MaxZoom}));
    PanS = static_cast<float>(app_.SkinWidth / 2.0);
    PanT = static_cast<float>(app_.SkinHeight / 2.0);
    KeepViewInRange();
    SnapToPixels();
}

void SkinBox::FitView() {
    int width = 0, height = 0;
    host_.ClientSize(&width, &height);
    FitInto(width, height);
    Render(Kind::Full);
    host_.RedrawNow();
}

void SkinBox::PlaceMirrorAxis(ClientPoint p) {
    double s = 0, t = 0;
    SkinPointAt(p, s, t);
    app_.MirrorAxis =
        static_cast<int32_t>(std::clamp(std::lround(2.0 * s), 0L, 2L * app_.SkinWidth));
    Render(Kind::Full);
    host_.RedrawNow();
}

SkinBox::AxisLine SkinBox::MirrorAxisLine() const {
    if (app_.Mirror == 0 || (app_.Mode != ModePaint && app_.Mode != ModeMix)) return {};
    const SkinImage* skin = DrawableSkin();
    if (skin == nullptr) return {};
    const int32_t x = ColumnOf(MirrorAxisOf(app_) / 2.0);
    if (x < 0 || x >= BufferWidth) return {};
    return {true, x, std::clamp(RowOf(app_.SkinHeight), 0, BufferHeight - 1),
            std::clamp(RowOf(0), 0, BufferHeight - 1),
            FarthestEntry(skin->Palette, app_.PaintColour)};
}

void SkinBox::DrawMirrorAxis() {
    shownAxis_ = MirrorAxisLine();
    if (!shownAxis_.Drawn) return;
    for (int32_t row = shownAxis_.Bottom; row <= shownAxis_.Top; ++row) {
        PixelBuffer[static_cast<size_t>(row) * static_cast<size_t>(BufferWidth) +
                    static_cast<size_t>(shownAxis_.Column)] = shownAxis_.Colour;
    }
}

}  // namespace varp
