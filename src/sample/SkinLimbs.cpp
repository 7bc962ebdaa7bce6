// Painting the limbs and small parts of the demo skins: shoulder pads, sleeves, gauntlets,
// gloves, trousers, greaves, boots, the crest, the backpack and the neck.
#include <cmath>

#include "sample/Palette.h"
#include "sample/SkinLayout.h"
#include "sample/SkinPainter.h"

namespace varp::sample {

using brush::Grain;
using brush::Lit;

namespace {

void PaintPad(Canvas& c, const SkinRect& r, const Scheme& s) {
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        if (v > 0.72) return Shade(s.team, 4);  // the underside, in shadow
        if (v > 0.56) return Shade(s.trim, 10 + Lit(u));
        const int fall = static_cast<int>(v * 6.0);  // lit from above
        return Shade(s.team, 12 - fall + Lit(u) + Grain(x, y));
    });
    for (int k = 0; k < 7; ++k) brush::Rivet(c, r.x + 4 + 9 * k, r.y + 10, s.trim);
}

void PaintSleeve(Canvas& c, const SkinRect& r, const Scheme& s) {
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        if (v > 0.18 && v < 0.38) {
            return v < 0.21 || v > 0.35 ? Shade(s.trim, 9 + Lit(u))
                                        : Shade(s.team, 9 + Lit(u) + Grain(x, y));
        }
        return Shade(s.suit, 6 + Lit(u) + Grain(x, y));
    });
}

void PaintGauntlet(Canvas& c, const SkinRect& r, const Scheme& s) {
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        if (v < 0.16) return Shade(s.suit, 5);
        if (v > 0.86) return Shade(s.leather, 6);
        if (v < 0.22 || v > 0.78) return Shade(s.metal, 10 + Lit(u));
        const int ridge = std::abs(u - 0.5) < 0.03 ? 2 : 0;
        return Shade(s.team, 8 + Lit(u) + ridge + Grain(x, y));
    });
    for (int k = 0; k < 7; ++k) brush::Rivet(c, r.x + 4 + 9 * k, r.y + 18, s.metal);
}

void PaintGlove(Canvas& c, const SkinRect& r, const Scheme& s) {
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const bool front = std::abs(u - 0.5) < 0.25;
        if (front && v > 0.45 && v < 0.5) return Shade(s.leather, 4);            // knuckles
        if (front && v > 0.5 && (x - r.x) % 5 == 0) return Shade(s.leather, 4);  // fingers
        return Shade(s.leather, 8 + Lit(u) + Grain(x, y));
    });
}

void PaintThigh(Canvas& c, const SkinRect& r, const Scheme& s) {
    const double texU = r.w - 1;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double across = std::abs(u - 0.5) * texU;
        if (v > 0.78 && across < 7.0) {  // knee pad
            return across > 6.0 || v < 0.8 ? Shade(s.trim, 9) : Shade(s.team, 10 + Grain(x, y));
        }
        if (std::abs(std::abs(u - 0.5) - 0.25) * texU < 0.6) return Shade(s.suit, 3);  // seams
        return Shade(s.suit, 6 + Lit(u) + Grain(x, y));
    });
}

void PaintGreave(Canvas& c, const SkinRect& r, const Scheme& s) {
    const double texU = r.w - 1;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double across = std::abs(u - 0.5) * texU;
        if (v < 0.1) return Shade(s.suit, 5);
        if (across < 11.0) {
            if (across > 10.0) return Shade(s.metal, 4);
            return Shade(s.metal, across < 1.0 ? 13 : 10 - static_cast<int>(across / 4.0));
        }
        return Shade(s.suit, 5 + Lit(u) + Grain(x, y));
    });
    for (int k = 0; k < 4; ++k) {
        brush::Rivet(c, r.x + r.w / 2 - 9, r.y + 12 + 12 * k, s.metal);
        brush::Rivet(c, r.x + r.w / 2 + 8, r.y + 12 + 12 * k, s.metal);
    }
}

void PaintBoot(Canvas& c, const SkinRect& r, const Scheme& s) {
    const double texU = r.w - 1, texV = r.h - 1;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double across = std::abs(u - 0.5) * texU;
        if (v < 0.19) return Shade(s.leather, 3);                  // the opening, seen from above
        if (v < 0.26) return Shade(s.leather, 10);                 // turned-down cuff
        if (v > 0.65) return Shade(Greys, 3 + (v < 0.7 ? 1 : 0));  // sole
        // Laces crossing down the front.
        if (across < 3.5 && v < 0.6) {
            const int row = static_cast<int>((v - 0.26) * texV);
            const int col = static_cast<int>((u - 0.5) * texU + 4.0);
            if ((row + col) % 4 == 0 || (row - col + 64) % 4 == 0) return Shade(Khaki, 12);
        }
        return Shade(s.leather, 6 + Lit(u) + Grain(x, y));
    });
}

}  // namespace

void PaintSmallParts(Canvas& c, const Scheme& s) {
    brush::Fill(c, layout::Crest, [&](double u, double v, int x, int y) -> uint8_t {
        if (v < 0.3) return Shade(s.team, 12);  // the ridge
        if (v > 0.85) return Shade(s.trim, 8);
        return Shade(s.team, 9 + Lit(u) + Grain(x, y));
    });
    const SkinRect pack = layout::Backpack;
    brush::Fill(c, pack, [&](double u, double v, int x, int y) -> uint8_t {
        if (v < 0.15) {  // the lid, with a status light
            const double lx = (u - 0.5) * (pack.w - 1), ly = (v - 0.07) * (pack.h - 1);
            return lx * lx + ly * ly < 5.0 ? Shade(Greens, 14) : Shade(s.metal, 11);
        }
        const bool back = u < 0.125 || u > 0.875;
        const int row = static_cast<int>(v * (pack.h - 1));
        if (back && v > 0.3 && v < 0.75 && row % 4 == 0) return Shade(Greys, 2);  // vents
        if (v > 0.85) return Shade(s.metal, 4);
        return Shade(s.metal, 8 + Lit(u) + Grain(x, y));
    });
    brush::Fill(c, layout::Neck, [&](double u, double, int x, int y) -> uint8_t {
        return Shade(s.suit, 6 + Lit(u) + Grain(x, y));
    });
}

void PaintArms(Canvas& c, const Scheme& s) {
    PaintPad(c, layout::PadRight, s);
    PaintPad(c, layout::PadLeft, s);
    PaintSleeve(c, layout::UpperArmRight, s);
    PaintSleeve(c, layout::UpperArmLeft, s);
    PaintGauntlet(c, layout::ForearmRight, s);
    PaintGauntlet(c, layout::ForearmLeft, s);
    PaintGlove(c, layout::HandRight, s);
    PaintGlove(c, layout::HandLeft, s);
}

void PaintLegs(Canvas& c, const Scheme& s) {
    PaintThigh(c, layout::ThighRight, s);
    PaintThigh(c, layout::ThighLeft, s);
    PaintGreave(c, layout::ShinRight, s);
    PaintGreave(c, layout::ShinLeft, s);
    PaintBoot(c, layout::BootRight, s);
    PaintBoot(c, layout::BootLeft, s);
}

}  // namespace varp::sample
