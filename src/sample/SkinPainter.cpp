// The demo skins: canvas, brushwork, colour schemes and the assembly of the painted pieces.
#include "sample/SkinPainter.h"

#include <cmath>

#include "sample/Palette.h"
#include "sample/SkinLayout.h"

namespace varp::sample {

Canvas::Canvas(int side)
    : side_(side), pixels_(static_cast<size_t>(side) * static_cast<size_t>(side), UnusedIndex) {}

void Canvas::Put(int x, int y, uint8_t index) {
    if (x < 0 || y < 0 || x >= side_ || y >= side_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(side_) + static_cast<size_t>(x)] = index;
}

uint8_t Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= side_ || y >= side_) return UnusedIndex;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(side_) + static_cast<size_t>(x)];
}

namespace brush {

int Grain(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    const uint32_t r = h % 8;
    return r == 0 ? -1 : (r == 1 ? 1 : 0);
}

int Lit(double u) {
    // cos of the angle from the front: the wrap starts at the back.
    const double facing = -std::cos(2.0 * Pi * u);
    return static_cast<int>(std::lround(2.0 * facing));
}

void Rivet(Canvas& c, int x, int y, int ramp) {
    c.Put(x, y, Shade(ramp, 14));
    c.Put(x + 1, y, Shade(ramp, 9));
    c.Put(x, y + 1, Shade(ramp, 9));
    c.Put(x + 1, y + 1, Shade(ramp, 4));
}

}  // namespace brush

Scheme SchemeFor(int which) {
    switch (which) {
        case 1:
            return {Blues, Golds, Greys, Leather, Steel, SkinTones};
        case 2:
            return {Blues, Greys, Purples, Browns, Steel, SkinTones};
        case 3:
            return {Golds, Oranges, Olives, Leather, Greys, SkinTones};
        default:
            return {Reds, Golds, Greys, Leather, Steel, SkinTones};
    }
}

Canvas PaintSkin(const Scheme& scheme) {
    Canvas c(layout::SkinSide);
    PaintHead(c, scheme);
    PaintTorso(c, scheme);
    PaintPelvis(c, scheme);
    PaintSmallParts(c, scheme);
    PaintArms(c, scheme);
    PaintLegs(c, scheme);
    return c;
}

Canvas HalfSize(const Canvas& full) {
    Canvas half(full.Side() / 2);
    for (int y = 0; y < half.Side(); ++y) {
        for (int x = 0; x < half.Side(); ++x) half.Put(x, y, full.At(2 * x, 2 * y));
    }
    return half;
}

}  // namespace varp::sample
