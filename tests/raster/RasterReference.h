// A slow, literal model of the fillers and line drawers that the fast ones are checked against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "raster/Raster.h"

namespace varp::test {

enum class Filler { Colour, Pick, Depth, DepthPick, DepthId };

inline bool UsesDepth(Filler f) {
    return f == Filler::Depth || f == Filler::DepthPick || f == Filler::DepthId;
}

// Buffers of one target, owned by the test; Target() points a RasterTarget at them.
struct Buffers {
    int32_t Pitch, Rows;
    std::vector<uint8_t> Colour;
    std::vector<uint16_t> Depth;
    std::vector<uint32_t> Pick;
    EdgeTable Edges;

    Buffers(int32_t pitch, int32_t rows, uint8_t colour = 0, uint16_t depth = 0xFFFF,
            uint32_t pick = 0xFFFFFFFF)
        : Pitch(pitch),
          Rows(rows),
          Colour(std::size_t(pitch) * std::size_t(rows), colour),
          Depth(Colour.size(), depth),
          Pick(Colour.size(), pick) {}

    // The clip rectangle is the whole target.
    RasterTarget Target() { return Target(0, Pitch - 1, 0, Rows - 1); }
    RasterTarget Target(int32_t left, int32_t right, int32_t top, int32_t bottom) {
        return {Colour.data(), Depth.data(), Pick.data(), Pitch,  Rows,
                left,          right,        top,         bottom, &Edges};
    }
    std::size_t At(int32_t x, int32_t y) const {
        return std::size_t(y) * std::size_t(Pitch) + std::size_t(x);
    }
    bool operator==(const Buffers& o) const {
        return Pitch == o.Pitch && Rows == o.Rows && Colour == o.Colour && Depth == o.Depth &&
               Pick == o.Pick;
    }
};

// A polygon as the callers pass it: x, y, u, v and, for the depth fillers, z, in the caller's
// units; the closing copy of vertex 0 is added by the reference itself.
using Corner = std::vector<int32_t>;

void ReferenceFill(Buffers& b, const RasterTarget& target, Filler filler,
                   const std::vector<Corner>& polygon, const std::vector<uint8_t>& texture,
                   int32_t texturePitch, uint32_t id = 0);

// The fast filler, called with the same polygon in its own vertex record.
void FastFill(const RasterTarget& target, Filler filler, const std::vector<Corner>& polygon,
              const std::vector<uint8_t>& texture, int32_t texturePitch, uint32_t id = 0);

// The pixels of a line in the order they are written, as (column, row).
std::vector<std::pair<int32_t, int32_t>> ReferenceLinePixels(const int32_t line[4]);

}  // namespace varp::test
