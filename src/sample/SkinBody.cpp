// Painting the head, torso and hips of the demo skins. Positions are fractions of each
// piece's rectangle: u = 0.5 is the front of the piece, v runs from its top to its bottom.
#include <algorithm>
#include <cmath>

#include "sample/Palette.h"
#include "sample/SkinLayout.h"
#include "sample/SkinPainter.h"

namespace varp::sample {

using brush::Grain;
using brush::Lit;

void PaintHead(Canvas& c, const Scheme& s) {
    const SkinRect r = layout::Head;
    const double texU = r.w - 1, texV = r.h - 1;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double du = u - 0.5;
        const double across = std::abs(du) * texU;  // texels from the middle of the face
        if (std::abs(du) < 0.165 && v > 0.40 && v < 0.86) {
            // Eyes: white with a dark iris, a dark brow above.
            const double ex = across - 6.0, ey = (v - 0.47) * texV;
            if ((ex * ex) / (3.2 * 3.2) + (ey * ey) / (1.8 * 1.8) <= 1.0) {
                return std::abs(ex) < 1.2 && std::abs(ey) < 1.3 ? Shade(Blues, 3)
                                                                : Shade(Greys, 14);
            }
            if (ey > -3.8 && ey < -2.4 && std::abs(ex) < 3.9) return Shade(s.leather, 3);
            // Nose: lit on one side, in shadow on the other, nostrils at its foot.
            if (v > 0.49 && v < 0.60 && across < 1.6) return Shade(s.skin, du < 0 ? 8 : 12);
            if (v >= 0.60 && v < 0.625 && across < 2.6) return Shade(s.skin, 6);
            // Mouth.
            if (v > 0.665 && v < 0.69 && across < 5.0) return Shade(Pinks, 5);
            if (v >= 0.69 && v < 0.705 && across < 4.0) return Shade(Pinks, 8);
            const int edge = static_cast<int>(std::abs(du) / 0.165 * 3.0);
            return Shade(s.skin, 11 - edge - (v > 0.8 ? 1 : 0) + Grain(x, y));
        }
        // The helmet: a trim band over the brow, a team stripe from front to back over the
        // top, cheek guards darker where they meet the face.
        if (v > 0.355 && v <= 0.40) return Shade(s.trim, 10 + Lit(u));
        if (v <= 0.355 && (across < 2.5 || std::abs(du) > 0.475)) {
            return Shade(s.team, 9 + Lit(u) + Grain(x, y));
        }
        if (std::abs(du) < 0.2 && v > 0.40 && v < 0.86) return Shade(s.metal, 5);
        const int top = v < 0.2 ? 2 : (v < 0.3 ? 1 : 0);
        return Shade(s.metal, 7 + Lit(u) + top + Grain(x, y));
    });
    // Rivets along the brow band.
    for (int k = 0; k < 12; ++k) brush::Rivet(c, r.x + 4 + 8 * k, r.y + 30, s.trim);
}

void PaintTorso(Canvas& c, const Scheme& s) {
    const SkinRect r = layout::Torso;
    const double texU = r.w - 1, texV = r.h - 1;
    constexpr double PlateHalf = 0.2, PlateTop = 0.2, PlateBottom = 0.56;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double du = u - 0.5;
        const double across = std::abs(du) * texU;
        if (v < 0.15) return Shade(s.suit, 6 + Lit(u) + Grain(x, y));  // collar and shoulder tops
        // Breastplate with a trim border and the emblem in the middle of the chest.
        if (std::abs(du) < PlateHalf && v > PlateTop && v < PlateBottom) {
            const double ex = du * texU, ey = (v - 0.38) * texV;
            const double d = std::sqrt(ex * ex + ey * ey);
            if (d < 8.5) {
                if (d > 6.5) return Shade(s.trim, d > 7.5 ? 9 : 13);
                // A four-pointed star on a dark field.
                const double ax = std::abs(ex), ay = std::abs(ey);
                if (ax * ay < 2.2 && ax + ay < 6.2) return Shade(s.trim, 12 - (ey > 0 ? 2 : 0));
                return Shade(s.team, 3);
            }
            const double toEdge = std::min(
                {PlateHalf * texU - across, (v - PlateTop) * texV, (PlateBottom - v) * texV});
            if (toEdge < 1.2) return Shade(s.trim, 10);
            const int fall = v < 0.3 ? 2 : (v > 0.48 ? -1 : 0);
            return Shade(s.team, 10 + fall - static_cast<int>(across / 9.0) + Grain(x, y));
        }
        // Stomach: overlapping plates in front, the undersuit at the sides.
        if (v >= PlateBottom && v < 0.86) {
            if (across < 14.0) {
                const int row = static_cast<int>((v - PlateBottom) * texV);
                if (row % 5 == 4) return Shade(s.team, 3);
                if (across > 12.5) return Shade(s.trim, 8);
                return Shade(s.team, 8 - row % 5 / 2 + Grain(x, y));
            }
            return Shade(s.suit, 6 + Lit(u) + Grain(x, y));
        }
        if (v >= 0.86) return Shade(s.suit, 4);
        // Back plate with a metal spine ridge; the sides shade away from the light.
        if (u < 0.025 || u > 0.975) return Shade(s.metal, 11);
        if (u < 0.2 || u > 0.8) return Shade(s.team, 6 + Lit(u) + Grain(x, y));
        return Shade(s.team, 8 + Lit(u) + Grain(x, y));
    });
    // Rivets down both edges of the breastplate.
    for (int k = 0; k < 4; ++k) {
        const int y = r.y + static_cast<int>(PlateTop * texV) + 4 + 6 * k;
        brush::Rivet(c, r.x + static_cast<int>((0.5 - PlateHalf) * texU) + 2, y, s.trim);
        brush::Rivet(c, r.x + static_cast<int>((0.5 + PlateHalf) * texU) - 3, y, s.trim);
    }
}

void PaintPelvis(Canvas& c, const Scheme& s) {
    const SkinRect r = layout::Pelvis;
    const double texU = r.w - 1, texV = r.h - 1;
    brush::Fill(c, r, [&](double u, double v, int x, int y) -> uint8_t {
        const double du = u - 0.5;
        const double across = std::abs(du) * texU;
        if (v < 0.265) return Shade(s.suit, 5);  // hidden under the torso
        // Belt with its buckle in front.
        if (v < 0.46) {
            const double row = (v - 0.265) * texV;
            if (across < 5.0) {
                return across < 2.5 && row > 2.0 && row < 7.0 ? Shade(s.trim, 5)
                                                              : Shade(s.trim, 12 + Lit(u));
            }
            if (row < 1.0 || row > 8.0) return Shade(s.leather, 4);
            return Shade(s.leather, 8 + Lit(u) + Grain(x, y));
        }
        // Pouches on the hips, then the trousers.
        const double pouch = std::abs(std::abs(du) - 0.2) * texU;
        if (pouch < 5.0 && v < 0.66) {
            return pouch > 4.0 || v > 0.64 ? Shade(s.leather, 4) : Shade(s.leather, 9 + Lit(u));
        }
        if (across < 0.8 && v > 0.62) return Shade(s.suit, 3);
        return Shade(s.suit, 6 + Lit(u) - (v > 0.85 ? 1 : 0) + Grain(x, y));
    });
}

}  // namespace varp::sample
