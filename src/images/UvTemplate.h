// The UV template: a picture of the mapping, every triangle's outline on the skin or on a flat
// background, to paint over in another program.
#pragma once

#include "app/Workspace.h"
#include "platform/ImageCodec.h"

namespace varp {

struct TemplateColours {
    Rgba Background{0, 0, 0, 255};
    Rgba Outline{255, 255, 255, 255};
    Rgba Selected{255, 224, 0, 255};
};

// The largest side of a template: the line drawer steps differences of 16 bits.
inline constexpr int MaxTemplateSide = 16384;

// The model's skin size times `scale` (1 or more; the product at most MaxTemplateSide): the
// skin's texels (when `skin` is given and has the model's skin size) or the flat background,
// each texel a scale x scale block, and over them every triangle's edges, one pixel wide and
// joining the centres of the corner texels, selected triangles over the others in their own
// colour.
RgbaPicture DrawUvTemplate(const Workspace& ws, const SkinImage* skin, int scale,
                           const TemplateColours& colours = {});

}  // namespace varp
