// The 32-bit fill that clears pane buffers and resets the edge table.
#include "raster/Raster.h"

namespace varp {

void FillWords(uint32_t* dst, int32_t count, uint32_t value) {
    for (int32_t i = 0; i < count; ++i) dst[i] = value;
}

}  // namespace varp
