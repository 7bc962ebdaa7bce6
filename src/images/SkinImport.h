// A full-colour picture brought into a skin's palette: the protected colours are never produced,
// and texels that hold one keep it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/ImageCodec.h"

namespace varp {

// The entries an import may produce: every one whose lock (Workspace::ColourLocks) is clear.
std::array<bool, 256> UnprotectedColours(const int32_t locks[256]);

// Whether every opaque pixel of the picture is exactly the colour of an allowed entry, so that
// mapping it changes no colour and dithering has nothing to spread.
bool FitsPalette(const RgbaPicture& picture, const uint8_t* palette,
                 const std::array<bool, 256>& allowed);

struct ImportOptions {
    bool Dither = false;
    // What pixels whose alpha is below half become; when it is protected, the allowed entry
    // nearest to its colour stands in.
    uint8_t Transparent = 0;
};

// The texels of the picture in `palette` (768 bytes), never a protected entry (`locks`, at
// least one clear). Where `existing` (the texels the picture replaces, same size, or null)
// holds a protected colour, or the colour the picture maps to, that texel is kept.
std::vector<uint8_t> ImportPicture(const RgbaPicture& picture, const uint8_t* palette,
                                   const int32_t locks[256], const std::vector<uint8_t>* existing,
                                   const ImportOptions& options);

}  // namespace varp
