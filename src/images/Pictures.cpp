// Nearest-neighbour scaling of pictures and of palette indices.
#include "images/Pictures.h"

#include <cstddef>

namespace varp {

namespace {

// The source position under the centre of destination position `i` of `to` along a side of
// `from`: floor((i + 1/2) * from / to).
int Under(int i, int from, int to) {
    return static_cast<int>((int64_t{2} * i + 1) * from / (int64_t{2} * to));
}

// Calls put(destination offset, source offset) for every pixel of a width x height picture
// enlarged `scale` times.
template <typename Put>
void Enlarge(int width, int height, int scale, Put put) {
    const size_t outWidth = static_cast<size_t>(width) * static_cast<size_t>(scale);
    for (size_t y = 0; y < static_cast<size_t>(height) * static_cast<size_t>(scale); ++y) {
        const size_t row = y / static_cast<size_t>(scale) * static_cast<size_t>(width);
        for (size_t x = 0; x < outWidth; ++x) put(y * outWidth + x, row + x / size_t(scale));
    }
}

}  // namespace

RgbaPicture ScaleNearest(const RgbaPicture& picture, int width, int height) {
    RgbaPicture out;
    out.Width = width;
    out.Height = height;
    out.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const size_t from = static_cast<size_t>(Under(y, picture.Height, height)) *
                            static_cast<size_t>(picture.Width);
        for (int x = 0; x < width; ++x) {
            out.Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                       static_cast<size_t>(x)] =
                picture.Pixels[from + static_cast<size_t>(Under(x, picture.Width, width))];
        }
    }
    return out;
}

RgbaPicture ColoursOf(const uint8_t* indices, int width, int height, const uint8_t* palette,
                      int scale) {
    RgbaPicture out;
    out.Width = width * scale;
    out.Height = height * scale;
    out.Pixels.resize(static_cast<size_t>(out.Width) * static_cast<size_t>(out.Height));
    Enlarge(width, height, scale, [&](size_t to, size_t from) {
        const uint8_t* c = palette + 3 * indices[from];
        out.Pixels[to] = {c[0], c[1], c[2], 255};
    });
    return out;
}

std::vector<uint8_t> EnlargeIndices(const uint8_t* indices, int width, int height, int scale) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height) *
                             static_cast<size_t>(scale) * static_cast<size_t>(scale));
    Enlarge(width, height, scale, [&](size_t to, size_t from) { out[to] = indices[from]; });
    return out;
}

}  // namespace varp
