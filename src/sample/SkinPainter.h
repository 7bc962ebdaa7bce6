// Painting the demo skins: one layout, several colour schemes.
#pragma once

#include <cstdint>
#include <vector>

#include "sample/Mesh.h"

namespace varp::sample {

// The ramps a skin is painted in. Only `team` changes between the two linked skins.
struct Scheme {
    int team;     // armour plates, shoulder pads, crest
    int trim;     // plate edges, rivets, the emblem, the belt buckle
    int suit;     // the undersuit: sleeves, trousers, collar
    int leather;  // belt, gloves, boots
    int metal;    // helmet, greaves, backpack
    int skin;     // the face
};

// The scheme of skin `which` (0 red team, 1 blue team, 2 the blue extra, 3 the gold extra).
Scheme SchemeFor(int which);

// A square 8-bit image of palette indices, top row first.
class Canvas {
  public:
    explicit Canvas(int side);
    int Side() const { return side_; }
    void Put(int x, int y, uint8_t index);
    uint8_t At(int x, int y) const;
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

  private:
    int side_;
    std::vector<uint8_t> pixels_;
};

// The whole 256 x 256 skin in the scheme.
Canvas PaintSkin(const Scheme& scheme);

// A half-size copy (every other texel of every other row).
Canvas HalfSize(const Canvas& full);

// The pieces' painters (each fills its rectangle of the layout).
void PaintHead(Canvas& c, const Scheme& s);
void PaintTorso(Canvas& c, const Scheme& s);
void PaintPelvis(Canvas& c, const Scheme& s);
void PaintSmallParts(Canvas& c, const Scheme& s);  // crest, backpack, neck
void PaintArms(Canvas& c, const Scheme& s);        // pads, sleeves, gauntlets, gloves
void PaintLegs(Canvas& c, const Scheme& s);        // thighs, greaves, boots

// Shared brushwork for the painters.
namespace brush {

// Calls fn(u, v, x, y) for every texel of the rectangle and stores what it returns; u and v run
// from 0 to 1 across the rectangle exactly as the mesh mapping spreads them.
template <class Fn>
void Fill(Canvas& c, const SkinRect& r, Fn fn) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            const double u = static_cast<double>(x - r.x) / (r.w - 1);
            const double v = static_cast<double>(y - r.y) / (r.h - 1);
            c.Put(x, y, fn(u, v, x, y));
        }
    }
}

// -1, 0 or +1, fixed per texel: a little grain so flat areas do not look plastic.
int Grain(int x, int y);

// Light from the front: about +2 shades on the front of a wrapped piece (u = 0.5), -2 at the
// back (u = 0 or 1).
int Lit(double u);

// A raised rivet: a bright texel with its shadow below and to the right.
void Rivet(Canvas& c, int x, int y, int ramp);

}  // namespace brush

}  // namespace varp::sample
