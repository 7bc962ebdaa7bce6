// The skin view's buffers, view transform and renders: recolour, full, background, display only.
#include "views/skin/SkinBox.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>

#include "views/Contrast.h"

namespace varp {

namespace {

// The fillers take differences of coordinates in 32 bits, which hold for coordinates within
// +-2^30. Inside the view range the farthest skin corner or mapping point lands within about
// +-2.6e7, so this bound only catches a transform done outside it (a caller that skipped
// KeepViewInRange).
constexpr double CoordinateLimit = 536870912.0;  // 2^29

int32_t ToCoordinate(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -CoordinateLimit, CoordinateLimit));
}

float KeepIn(float v, float low, float high, float fallback) {
    return std::isnan(v) ? fallback : std::clamp(v, low, high);
}

// The overlay's passes, later ones drawing over earlier ones: a triangle is drawn in a pass when
// (Flags & Mask) == Value, in the pass's colour of OutlineColours.
struct OutlinePass {
    uint32_t Mask;
    uint32_t Value;
};
constexpr OutlinePass OutlinePasses[] = {
    {~0u, 0u},           // no flag at all: the paint colour
    {~0u, Selected},     // exactly Selected, not grabbed: the entry farthest from it
    {Grabbed, Grabbed},  // grabbed, selected or not: the entry farthest from both
};

// Half the side of the square handle drawn on each point of a selected triangle.
constexpr int32_t HandleHalf = 2;

}  // namespace

SkinBox::SkinBox(App& app, PaneHost& host) : Pane(app, host) {
    // Placeholders until the first size change; Render draws nothing while the size is -1.
    PixelBuffer.assign(1024, 0);
    PickBuffer.assign(1024, NoTexel);
}

void SkinBox::OnSize(int cx, int cy) {
    const bool replaced = ReplaceBuffers(
        cx, cy,
        [this] {
            PixelBuffer = {};
            PickBuffer = {};
        },
        [this](size_t n) {
            PixelBuffer.resize(n);
            // In Mapping mode the render below leaves PickBuffer alone, so it must already say
            // "no texel" everywhere.
            PickBuffer.assign(n, NoTexel);
        });
    if (replaced) Render(Kind::Full);
}

void SkinBox::KeepViewInRange() {
    PanS = KeepIn(PanS, -MaxPan, MaxPan, StartPan);
    PanT = KeepIn(PanT, -MaxPan, MaxPan, StartPan);
    Zoom = KeepIn(Zoom, MinZoom, MaxZoom, StartZoom);
}

int32_t SkinBox::ColumnOf(double s) const {
    return ToCoordinate((s - double{PanS}) * double{Zoom} + static_cast<double>(BufferWidth / 2));
}

int32_t SkinBox::RowOf(double t) const {
    // Buffer rows count from the bottom, so t grows downward on screen: the skin stands upright.
    return ToCoordinate(static_cast<double>(BufferHeight / 2) - (t - double{PanT}) * double{Zoom});
}

TexelPoint SkinBox::TexelUnder(ClientPoint p) const {
    // In double from the start: a point far outside the pane must not overflow an int.
    const double s = (static_cast<double>(p.x) - BufferWidth / 2) / double{Zoom} + double{PanS};
    const double t = (static_cast<double>(p.y) - BufferHeight / 2) / double{Zoom} + double{PanT};
    return {ToCoordinate(s), ToCoordinate(t)};
}

uint32_t SkinBox::PickAt(ClientPoint p) const {
    if (p.x < 0 || p.y < 0 || p.x >= BufferWidth || p.y >= BufferHeight) return NoTexel;
    const uint32_t entry =
        PickBuffer[static_cast<size_t>(BufferHeight - 1 - p.y) * static_cast<size_t>(BufferWidth) +
                   static_cast<size_t>(p.x)];
    if (DrawableSkin() == nullptr) return NoTexel;
    const auto texels =
        static_cast<uint32_t>(app_.SkinWidth) * static_cast<uint32_t>(app_.SkinHeight);
    return entry < texels ? entry : NoTexel;
}

const SkinImage* SkinBox::DrawableSkin() const {
    const SkinImage* skin = app_.CurrentSkin;
    if (skin == nullptr || app_.SkinWidth < 1 || app_.SkinHeight < 1) return nullptr;
    const size_t texels =
        static_cast<size_t>(app_.SkinWidth) * static_cast<size_t>(app_.SkinHeight);
    return skin->Pixels.size() >= texels ? skin : nullptr;
}

RasterTarget SkinBox::Target() {
    return WholeTarget(nullptr, PickBuffer.data());
}

void SkinBox::Render(Kind kind) {
    dirty_ = Rect{};
    if (BufferWidth < 1 || BufferHeight < 1) return;
    if (app_.Mode == ModeMapping) kind = Kind::DisplayOnly;
    if (picksStale_ && (kind == Kind::Recolour || kind == Kind::Background)) kind = Kind::Full;
    picksStale_ &= kind != Kind::Full;
    KeepViewInRange();
    dirty_ = WholeRect();
    // A background change may leave an axis of another place drawn over texels.
    picksShown_ = kind == Kind::Full || (kind == Kind::Recolour && picksShown_);

    const size_t count = static_cast<size_t>(BufferWidth) * static_cast<size_t>(BufferHeight);
    uint8_t* const pixels = PixelBuffer.data();
    uint32_t* const pick = PickBuffer.data();
    const uint8_t background = app_.BackgroundColour;
    const SkinImage* skin = DrawableSkin();

    switch (kind) {
        case Kind::Recolour: {
            if (skin == nullptr) return;
            RecolourColumns(0, BufferWidth - 1, 0, BufferHeight - 1);
            picksShown_ = true;
            DrawMirrorAxis();
            return;
        }
        case Kind::Background:
            if (skin == nullptr) return;
            for (size_t i = 0; i < count; ++i) {
                if (pick[i] == NoTexel) pixels[i] = background;
            }
            DrawMirrorAxis();
            return;
        case Kind::Full:
            std::memset(pixels, background, count);
            // NoTexel is four 0xFF bytes, so the byte fill (several times faster than a
            // word loop on this size) writes it into every entry.
            static_assert(NoTexel == 0xFFFFFFFFu);
            std::memset(pick, 0xFF, count * sizeof(uint32_t));
            if (skin != nullptr) DrawSkin(*skin, true);
            DrawMirrorAxis();
            return;
        case Kind::DisplayOnly:
            std::memset(pixels, background, count);
            if (skin == nullptr) return;
            DrawSkin(*skin, false);
            if (app_.Mode == ModeMapping) DrawMappingOverlay(Target());
            DrawMirrorAxis();
            return;
    }
}

void SkinBox::RecolourTexels(const TexelRect& area) {
    if (area.Empty() || BufferWidth < 1 || BufferHeight < 1 || app_.Mode == ModeMapping ||
        !picksShown_ || DrawableSkin() == nullptr) {
        Render(Kind::Recolour);
        return;
    }
    KeepViewInRange();
    if (MirrorAxisLine() != shownAxis_) {
        Render(Kind::Recolour);
        return;
    }
    // The pixels from the start of the area's first texel to the end of its last, with a margin
    // for the filler's rounding: a superset of those that show its texels, each recoloured from
    // its pick as the whole pass does.
    constexpr int32_t Margin = 2;
    const int32_t left = std::max(ColumnOf(area.Left) - Margin, 0);
    const int32_t right =
        std::min(ColumnOf(static_cast<double>(area.Right) + 1) + Margin, BufferWidth - 1);
    const int32_t bottom = std::max(RowOf(static_cast<double>(area.Bottom) + 1) - Margin, 0);
    const int32_t top = std::min(RowOf(area.Top) + Margin, BufferHeight - 1);
    dirty_ = ClientRectOf(left, right, bottom, top);
    if (left > right || bottom > top) return;
    RecolourColumns(left, right, bottom, top);
    // The same axis again, where the recolour went over it.
    DrawMirrorAxis();
}

void SkinBox::RecolourColumns(int32_t left, int32_t right, int32_t bottom, int32_t top) {
    const uint8_t* const texels = app_.CurrentSkin->Pixels.data();
    // One comparison rejects both "no texel" and an offset a smaller skin cannot hold.
    const auto texelCount =
        static_cast<uint32_t>(app_.SkinWidth) * static_cast<uint32_t>(app_.SkinHeight);
    for (int32_t row = bottom; row <= top; ++row) {
        const size_t first = static_cast<size_t>(row) * static_cast<size_t>(BufferWidth);
        uint8_t* const pixels = PixelBuffer.data() + first;
        const uint32_t* const pick = PickBuffer.data() + first;
        for (int32_t x = left; x <= right; ++x) {
            if (pick[x] < texelCount) pixels[x] = texels[pick[x]];
        }
    }
}

void SkinBox::DrawSkin(const SkinImage& skin, bool withPick) {
    // The rectangle runs from the start of texel 0 to the start of the last texel, so the last
    // texel column and row show only along its right and bottom border.
    const int32_t lastS = app_.SkinWidth - 1, lastT = app_.SkinHeight - 1;
    const int32_t left = ColumnOf(0), right = ColumnOf(lastS);
    const int32_t top = RowOf(0), bottom = RowOf(lastT);
    const int32_t uMax = lastS << 10, vMax = lastT << 10;
    const TexVertex corners[5] = {
        {left, top, 0, 0},       {right, top, uMax, 0}, {right, bottom, uMax, vMax},
        {left, bottom, 0, vMax}, {left, top, 0, 0},
    };
    const RasterTarget target = Target();
    if (withPick) {
        DrawTexturedPolygonPick(target, corners, 4, skin.Pixels.data(), app_.SkinWidth);
    } else {
        DrawTexturedPolygon(target, corners, 4, skin.Pixels.data(), app_.SkinWidth);
    }
}

void SkinBox::DrawMappingOverlay(const RasterTarget& target) {
    const int numTriangles = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
    // Against a skin of any colours: the paint colour, and the palette's entries farthest from
    // it, and from both.
    const std::array<uint8_t, 768>& palette = app_.CurrentSkin->Palette;
    const uint8_t paint = app_.PaintColour;
    const uint8_t selected = FarthestEntry(palette, paint);
    const uint8_t colours[3] = {paint, selected, FarthestEntry(palette, paint, selected)};
    for (int passIndex = 0; passIndex < 3; ++passIndex) {
        const OutlinePass& pass = OutlinePasses[passIndex];
        const uint8_t colour = colours[passIndex];
        for (int i = 0; i < numTriangles; ++i) {
            const ModelTriangle& triangle = app_.Triangles[i];
            if ((triangle.Flags & pass.Mask) != pass.Value) continue;
            // Edges join texel centres.
            int32_t x[3], y[3];
            for (int k = 0; k < 3; ++k) {
                x[k] = ColumnOf(triangle.CornerST[k].s + 0.5);
                y[k] = RowOf(triangle.CornerST[k].t + 0.5);
            }
            for (int k = 0; k < 3; ++k) {
                const int next = k == 2 ? 0 : k + 1;
                int32_t line[4] = {x[k], y[k], x[next], y[next]};
                if (ClipLine(target, line)) DrawLine(target, line, colour);
            }
        }
    }
    DrawHandles(target, colours[2]);
}

void SkinBox::DrawHandles(const RasterTarget& target, uint8_t colour) {
    // A hollow square on each corner of every selected triangle, where a press grabs it.
    const int numTriangles = std::clamp(int{app_.NumTriangles}, 0, MaxTriangles);
    for (int i = 0; i < numTriangles; ++i) {
        const ModelTriangle& triangle = app_.Triangles[i];
        if ((triangle.Flags & Selected) == 0) continue;
        for (const SkinCoord& corner : triangle.CornerST) {
            const int32_t x = ColumnOf(corner.s + 0.5), y = RowOf(corner.t + 0.5);
            for (int32_t d = -HandleHalf; d <= HandleHalf; ++d) {
                for (const auto& [px, py] :
                     {std::pair{x + d, y - HandleHalf}, std::pair{x + d, y + HandleHalf},
                      std::pair{x - HandleHalf, y + d}, std::pair{x + HandleHalf, y + d}}) {
                    if (px < 0 || py < 0 || px >= target.Pitch || py >= target.Rows) continue;
                    target.Colour[static_cast<size_t>(py) * static_cast<size_t>(target.Pitch) +
                                  static_cast<size_t>(px)] = colour;
                }
            }
        }
    }
}

}  // namespace varp
