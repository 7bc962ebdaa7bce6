// The paint tools' texel work: inks, the mirror, the selection mask, stamps, lines, the flood
// fill and the colour replacement, all written through the stroke.
#include "edit/PaintTools.h"

#include <algorithm>

namespace varp {

namespace {

int32_t Luminance(const std::array<uint8_t, 768>& palette, int colour) {
    const auto c = static_cast<size_t>(colour) * 3;
    return 2126 * palette[c] + 7152 * palette[c + 1] + 722 * palette[c + 2];
}

// Twice the signed area of (a, b, p): which side of the line a-b the point p lies on.
int64_t Side(SkinCoord a, SkinCoord b, int32_t s, int32_t t) {
    return (int64_t{b.s} - a.s) * (int64_t{t} - a.t) - (int64_t{b.t} - a.t) * (int64_t{s} - a.s);
}

}  // namespace

Ink SolidInk(uint8_t colour) {
    Ink ink;
    ink.fill(colour);
    return ink;
}

Ink ShadeInk(const std::array<uint8_t, 768>& palette, const int32_t locks[256], bool brighter) {
    Ink ink;
    for (int c = 0; c < 256; ++c) {
        const int32_t own = Luminance(palette, c);
        int best = c;
        int32_t bestLuminance = 0;
        for (int e = c & ~15; e < (c & ~15) + 16; ++e) {
            const int32_t y = Luminance(palette, e);
            if (locks[e] != 0 || (brighter ? y <= own : y >= own)) continue;
            // The nearest step in the direction asked; of equals the first entry.
            if (best == c || (brighter ? y < bestLuminance : y > bestLuminance)) {
                best = e;
                bestLuminance = y;
            }
        }
        ink[static_cast<size_t>(c)] = static_cast<uint8_t>(best);
    }
    return ink;
}

bool TexelInTriangle(const ModelTriangle& triangle, int32_t s, int32_t t) {
    const SkinCoord* c = triangle.CornerST;
    const int64_t e0 = Side(c[0], c[1], s, t), e1 = Side(c[1], c[2], s, t),
                  e2 = Side(c[2], c[0], s, t);
    // Whichever way the corners run.
    return (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
}

int32_t MirrorAxisOf(const Workspace& ws) {
    if (ws.MirrorAxis >= 0) return ws.MirrorAxis;
    return ws.CurrentSkin != nullptr ? ws.CurrentSkin->Width : 0;
}

bool SelectionMask(const Workspace& ws, std::vector<uint8_t>& mask) {
    const SkinImage* skin = ws.CurrentSkin;
    if (skin == nullptr) return false;
    const int32_t width = skin->Width, height = skin->Height;
    mask.assign(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)),
                0);
    const auto mark = [&](int32_t s, int32_t t) {
        if (s >= 0 && t >= 0 && s < width && t < height) {
            mask[static_cast<size_t>(t) * static_cast<size_t>(width) + static_cast<size_t>(s)] = 1;
        }
    };
    bool any = false;
    const int count = std::clamp(int{ws.NumTriangles}, 0, MaxTriangles);
    for (int i = 0; i < count; ++i) {
        const ModelTriangle& tri = ws.Triangles[i];
        if ((tri.Flags & Selected) == 0) continue;
        any = true;
        const SkinCoord* c = tri.CornerST;
        for (int k = 0; k < 3; ++k) {
            const SkinCoord a = c[k], b = c[(k + 1) % 3];
            WalkLine(a.s, a.t, b.s, b.t, mark);
        }
        const int32_t left = std::max<int32_t>(std::min({c[0].s, c[1].s, c[2].s}), 0);
        const int32_t right = std::min<int32_t>(std::max({c[0].s, c[1].s, c[2].s}), width - 1);
        const int32_t top = std::max<int32_t>(std::min({c[0].t, c[1].t, c[2].t}), 0);
        const int32_t bottom = std::min<int32_t>(std::max({c[0].t, c[1].t, c[2].t}), height - 1);
        for (int32_t t = top; t <= bottom; ++t) {
            for (int32_t s = left; s <= right; ++s) {
                if (TexelInTriangle(tri, s, t)) mark(s, t);
            }
        }
    }
    return any;
}

void ToolStroke::Begin(Workspace& ws, bool darker, bool flatMirror) {
    stroke_.Begin(ws);
    tool_ = ws.Tool;
    brush_ = BrushOf(ws);
    mirrored_ = flatMirror && ws.Mirror != 0;
    mirrorAxis_ = MirrorAxisOf(ws);
    masked_ = false;
    const SkinImage* skin = ws.CurrentSkin;
    if (tool_ == ToolShade && skin != nullptr) {
        ink_ = ShadeInk(skin->Palette, ws.ColourLocks, !darker);
    } else {
        ink_ = SolidInk(ws.PaintColour);
    }
    if ((tool_ == ToolFill || tool_ == ToolReplace) && ws.InSelection != 0) {
        masked_ = SelectionMask(ws, mask_);
    }
}

void ToolStroke::StampOne(Workspace& ws, int32_t s, int32_t t) {
    for (int32_t row = 0; row < brush_.Size; ++row) {
        const int32_t y = t + brush_.First + row;
        for (int32_t x = s + brush_.Left[row]; x <= s + brush_.Right[row]; ++x) {
            stroke_.Paint(ws, x, y, ink_);
            if (mirrored_) stroke_.Paint(ws, MirrorColumn(x, mirrorAxis_), y, ink_);
        }
    }
}

void ToolStroke::Stamp(Workspace& ws, int32_t s, int32_t t) {
    StampOne(ws, s, t);
}

void ToolStroke::Line(Workspace& ws, int32_t s0, int32_t t0, int32_t s1, int32_t t1,
                      bool withFirst) {
    WalkLine(s0, t0, s1, t1, [&](int32_t s, int32_t t) {
        if (withFirst || s != s0 || t != t0) StampOne(ws, s, t);
    });
}

void ToolStroke::Fill(Workspace& ws, int32_t s, int32_t t) {
    FillRegion(ws, s, t, ws.PaintColour);
    if (mirrored_) FillRegion(ws, MirrorColumn(s, mirrorAxis_), t, ws.PaintColour);
}

void ToolStroke::FillRegion(Workspace& ws, int32_t s, int32_t t, uint8_t colour) {
    SkinImage* skin = ws.CurrentSkin;
    if (!stroke_.Active() || skin != stroke_.Skin()) return;
    const int32_t width = skin->Width, height = skin->Height;
    if (s < 0 || t < 0 || s >= width || t >= height) return;
    const uint8_t* pixels = skin->Pixels.data();
    const auto at = [width](int32_t x, int32_t y) {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    };
    const uint8_t seed = pixels[at(s, t)];
    // Painted texels leave the region, so they need no mark of their own; a region that cannot
    // change would never leave it.
    if (seed == colour || ws.ColourLocks[seed] != 0) return;
    const auto inRegion = [&](int32_t x, int32_t y) {
        const size_t o = at(x, y);
        return pixels[o] == seed && (!masked_ || mask_[o] != 0);
    };
    if (!inRegion(s, t)) return;
    pending_.clear();
    pending_.push_back(s);
    pending_.push_back(t);
    while (!pending_.empty()) {
        const int32_t y = pending_.back();
        pending_.pop_back();
        const int32_t x = pending_.back();
        pending_.pop_back();
        if (!inRegion(x, y)) continue;
        // The run through (x, y), painted; then the runs it touches in the rows above and below.
        int32_t left = x, right = x;
        while (left > 0 && inRegion(left - 1, y)) --left;
        while (right < width - 1 && inRegion(right + 1, y)) ++right;
        for (int32_t i = left; i <= right; ++i) stroke_.Paint(ws, i, y, colour);
        for (const int32_t row : {y - 1, y + 1}) {
            if (row < 0 || row >= height) continue;
            for (int32_t i = left; i <= right; ++i) {
                if (!inRegion(i, row) || (i > left && inRegion(i - 1, row))) continue;
                pending_.push_back(i);
                pending_.push_back(row);
            }
        }
    }
}

void ToolStroke::Replace(Workspace& ws, int32_t s, int32_t t) {
    SkinImage* skin = ws.CurrentSkin;
    if (!stroke_.Active() || skin != stroke_.Skin()) return;
    const int32_t width = skin->Width, height = skin->Height;
    if (s < 0 || t < 0 || s >= width || t >= height) return;
    const uint8_t from = stroke_.Before(s, t), to = ws.PaintColour;
    if (from == to || ws.ColourLocks[from] != 0 || ws.ColourLocks[to] != 0) return;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t o =
                static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
            if (skin->Pixels[o] == from && (!masked_ || mask_[o] != 0)) stroke_.Paint(ws, x, y, to);
        }
    }
}

std::unique_ptr<EditStep> ToolStroke::End() {
    static constexpr const char* Labels[] = {"Paint Stroke", "Line", "Flood Fill", "Replace Colour",
                                             "Shade"};
    const int32_t tool = std::clamp(tool_, int32_t{ToolBrush}, int32_t{ToolShade});
    return stroke_.End(Labels[tool]);
}

}  // namespace varp
