// One-pixel lines with a 16-bit error accumulator, the 2D line clipper and the near-plane clipper.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "raster/Raster.h"
#include "raster/RasterInternal.h"

namespace varp {

namespace {

// Steps the line downward in buffer rows and calls plot(element index) for each of its
// max(dx, dy) + 1 pixels. The index is carried along rather than recomputed per pixel.
template <class Plot>
void StepLine(const RasterTarget& target, const int32_t line[4], const Plot& plot) {
    int32_t sx = line[0], sy = line[1], ex = line[2], ey = line[3];
    if (ey < sy) {
        std::swap(sx, ex);
        std::swap(sy, ey);
    }
    const ptrdiff_t pitch = target.Pitch;
    ptrdiff_t i = sy * pitch + sx;
    plot(i);

    int32_t dx = static_cast<int16_t>(Sub32(ex, sx));
    const int32_t dy = static_cast<int16_t>(Sub32(ey, sy));
    ptrdiff_t xdir = 1;
    if (dx < 0) {
        xdir = -1;
        dx = -dx;
    }

    if (dy == 0) {
        for (int32_t k = 0; k < dx; ++k) plot(i += xdir);
        return;
    }
    if (dx == 0) {
        for (int32_t k = 0; k < dy; ++k) plot(i += pitch);
        return;
    }
    if (dx == dy) {
        for (int32_t k = 0; k < dy; ++k) plot(i += pitch + xdir);
        return;
    }

    // The accumulator wraps once per minor step; Acc <= Old detects the wrap.
    uint16_t acc = 0;
    if (dy > dx) {
        const uint32_t adj = (static_cast<uint32_t>(dx) << 16) / static_cast<uint32_t>(dy);
        for (int32_t k = 0; k < dy - 1; ++k) {
            const uint16_t old = acc;
            acc = static_cast<uint16_t>(acc + adj);
            if (acc <= old) i += xdir;
            plot(i += pitch);
        }
    } else {
        const uint32_t adj = (static_cast<uint32_t>(dy) << 16) / static_cast<uint32_t>(dx);
        for (int32_t k = 0; k < dx - 1; ++k) {
            const uint16_t old = acc;
            acc = static_cast<uint16_t>(acc + adj);
            if (acc <= old) i += pitch;
            plot(i += xdir);
        }
    }
    plot(ey * pitch + ex);
}

// The element indices of the target's band, first and one past the last; empty when the line's
// rows miss the band. The line is stepped whole either way, so a band's pixels are those the
// whole line has there.
struct BandIndices {
    ptrdiff_t First = 0, End = 0;
};

BandIndices BandOf(const RasterTarget& target, const int32_t line[4]) {
    const int32_t top = std::max(target.BandTop, std::min(line[1], line[3]));
    const int32_t bottom =
        std::min({target.BandBottom, target.Rows - 1, std::max(line[1], line[3])});
    if (top > bottom) return {};
    const ptrdiff_t pitch = target.Pitch;
    return {top * pitch, (bottom + ptrdiff_t{1}) * pitch};
}

}  // namespace

void DrawLine(const RasterTarget& target, int32_t line[4], uint8_t colour) {
    const BandIndices band = BandOf(target, line);
    if (band.First == band.End) return;
    uint8_t* const pixels = target.Colour;
    StepLine(target, line, [=](ptrdiff_t i) {
        if (i >= band.First && i < band.End) pixels[i] = colour;
    });
}

void DrawLineOverId(const RasterTarget& target, int32_t line[4], uint8_t colour, uint32_t id) {
    const BandIndices band = BandOf(target, line);
    if (band.First == band.End) return;
    uint8_t* const pixels = target.Colour;
    const uint32_t* const pick = target.Pick;
    StepLine(target, line, [=](ptrdiff_t i) {
        if (i >= band.First && i < band.End && pick[i] == id) pixels[i] = colour;
    });
}

int ClipLine(const RasterTarget& target, int32_t line[4]) {
    // 64-bit throughout: the products need it, and the differences of far-off endpoints would
    // not fit 32 bits. Every interpolated value lies between two int32 endpoints.
    int64_t x0 = line[0], y0 = line[1], x1 = line[2], y1 = line[3];
    const int64_t xMax = int64_t{target.Pitch} - 1, yMax = int64_t{target.Rows} - 1;

    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    if (x1 < 0 || x0 > xMax) return 0;
    if (x0 < 0) {
        const int64_t t = (-x0 * 65536) / (x1 - x0);
        y0 += (t * (y1 - y0)) >> 16;
        x0 = 0;
    }
    if (x1 > xMax) {
        const int64_t t = ((x1 - xMax) * 65536) / (x1 - x0);
        y1 -= (t * (y1 - y0)) >> 16;
        x1 = xMax;
    }

    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    if (y1 < 0 || y0 > yMax) return 0;
    if (y0 < 0) {
        const int64_t t = (-y0 * 65536) / (y1 - y0);
        x0 += (t * (x1 - x0)) >> 16;
        y0 = 0;
    }
    if (y1 > yMax) {
        const int64_t t = ((y1 - yMax) * 65536) / (y1 - y0);
        x1 -= (t * (x1 - x0)) >> 16;
        y1 = yMax;
    }

    line[0] = static_cast<int32_t>(x0);
    line[1] = static_cast<int32_t>(y0);
    line[2] = static_cast<int32_t>(x1);
    line[3] = static_cast<int32_t>(y1);
    return 1;
}

int ClipSegmentNear(float segment[6]) {
    // On equal depth endpoint 1 counts as the far one.
    float* const far = segment[2] > segment[5] ? segment : segment + 3;
    float* const near = far == segment ? segment + 3 : segment;
    if (far[2] < NearPlane) return 0;
    if (near[2] >= NearPlane) return 1;

    // Double precision from the float inputs and the float plane, stored back as floats.
    const double farZ = far[2];
    const double s = (farZ - double{NearPlane}) / (farZ - double{near[2]});
    near[1] = static_cast<float>(far[1] - (double{far[1]} - near[1]) * s);
    near[0] = static_cast<float>(far[0] - (double{far[0]} - near[0]) * s);
    near[2] = NearPlane;
    return 1;
}

}  // namespace varp
