// Any bytes as a PCX file: decoded without reading or writing out of bounds; an image that
// decodes is encoded and decoded again to the same pixels and palette.
#include "formats/Pcx.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::unique_ptr<SkinImage> skin = DecodePcx(data, size);
    if (!skin) return 0;
    fuzz::Require(skin->Width > 0 && skin->Height > 0 &&
                      skin->Pixels.size() == size_t(skin->Width) * size_t(skin->Height),
                  "a positive size with a pixel for every texel");
    fuzz::Require(skin->StoredPixels == skin->Pixels, "the checkpoint is the image read");
    const std::vector<uint8_t> again =
        EncodePcx(skin->Pixels.data(), skin->Width, skin->Height, skin->Palette.data());
    const std::unique_ptr<SkinImage> back = DecodePcx(again.data(), again.size());
    fuzz::Require(back && back->Pixels == skin->Pixels && back->Palette == skin->Palette,
                  "our own file decodes to the same image");
    return 0;
}
