// Any bytes as a PCX file, through the pure decode: a refusal says why; an image that decodes
// is encoded and decoded again to the same pixels and palette.
#include "formats/Pcx.h"
#include "fuzz/FuzzSupport.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem;
    const std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(data, size), &problem);
    if (!skin) {
        fuzz::Require(!problem.empty(), "a refusal says why");
        return 0;
    }
    fuzz::Require(problem.empty(), "an image decodes without a problem");
    fuzz::Require(skin->Width > 0 && skin->Height > 0 &&
                      skin->Pixels.size() == size_t(skin->Width) * size_t(skin->Height),
                  "a positive size with a pixel for every texel");
    fuzz::Require(skin->StoredPixels == skin->Pixels, "the checkpoint is the image read");
    const std::vector<uint8_t> again =
        EncodePcx(skin->Pixels.data(), skin->Width, skin->Height, skin->Palette.data());
    const std::unique_ptr<SkinImage> back = DecodePcx(ByteView(again));
    fuzz::Require(back && back->Pixels == skin->Pixels && back->Palette == skin->Palette,
                  "our own file decodes to the same image");
    return 0;
}
