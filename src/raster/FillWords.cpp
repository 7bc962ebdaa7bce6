// The 32-bit fill that clears pane buffers and resets the edge table.
#include <cstring>

#include "raster/Raster.h"

namespace varp {

void FillWords(uint32_t* dst, int32_t count, uint32_t value) {
    if (count <= 0) return;
    // Every pane clear repeats one byte (a colour, 0xFF for depth and pick): the C library's
    // fill is several times faster than a word loop there.
    const uint32_t low = value & 0xFFu;
    if (value == low * 0x01010101u) {
        std::memset(dst, static_cast<int>(low), static_cast<size_t>(count) * sizeof(uint32_t));
        return;
    }
    // Otherwise two words at a time, which the compiler turns into wide stores.
    const uint64_t pair = static_cast<uint64_t>(value) << 32 | value;
    int32_t i = 0;
    for (; i + 1 < count; i += 2) std::memcpy(dst + i, &pair, sizeof pair);
    if (i < count) dst[i] = value;
}

}  // namespace varp
