// Any bytes as a PCX file: decoded without reading or writing out of bounds; an image that
// decodes is encoded and decoded again to the same pixels and palette.
#include <cstdint>

#include "formats/Pcx.h"
#include "fuzz/FuzzCheck.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(data, size));
    if (!skin) return 0;
    fuzz::Require(skin->Width > 0 && skin->Height > 0, "positive size");
    fuzz::Require(
        skin->Pixels.size() == static_cast<size_t>(skin->Width) * static_cast<size_t>(skin->Height),
        "pixel count");
    fuzz::Require(skin->StoredPixels == skin->Pixels, "checkpoint");
    const std::vector<uint8_t> again =
        EncodePcx(skin->Pixels.data(), skin->Width, skin->Height, skin->Palette.data());
    std::unique_ptr<SkinImage> back = DecodePcx(ByteView(again));
    fuzz::Require(back != nullptr, "our own file decodes");
    fuzz::Require(back->Pixels == skin->Pixels && back->Palette == skin->Palette, "round trip");
    return 0;
}
