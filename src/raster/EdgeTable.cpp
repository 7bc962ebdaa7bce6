// The fillers' edge table: its growth and its reset between fills.
#include <cstdint>

#include "raster/Raster.h"
#include "raster/RasterInternal.h"

namespace varp {

namespace {
constexpr uint32_t ResetMinX = 0x7FFFFFFF;
constexpr uint32_t ResetMaxX = 0x80000000;
}  // namespace

void EdgeTable::Reserve(int32_t rows) {
    if (rows <= Capacity()) return;
    const auto size = static_cast<size_t>(rows);
    MinX.resize(size, static_cast<int32_t>(ResetMinX));
    MaxX.resize(size, static_cast<int32_t>(ResetMaxX));
    for (auto* column : {&LeftU, &LeftV, &LeftZ, &RightU, &RightV, &RightZ}) column->resize(size);
}

void EdgeTable::ResetUsedRows() {
    if (TopRow <= BottomRow) {
        // int32 and uint32 may alias, so the word fill serves both columns.
        const int32_t count = BottomRow - TopRow + 1;
        FillWords(reinterpret_cast<uint32_t*>(MinX.data() + TopRow), count, ResetMinX);
        FillWords(reinterpret_cast<uint32_t*>(MaxX.data() + TopRow), count, ResetMaxX);
    }
    TopRow = INT32_MAX;
    BottomRow = INT32_MIN;
}

}  // namespace varp
