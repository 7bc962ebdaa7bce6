// Pictures in and out: Skins > Import Image (into the current skin, or as a new skin), Skins >
// Export Image, Mapping > Export UV Template. Each import is one undo step.
#pragma once

#include "app/App.h"

namespace varp {

// Into the current skin: the picture at the skin's size (a picture of another size is scaled
// after a question) in the skin's palette; protected colours are never produced and texels
// holding one keep it.
void SkinImportImage(App& app);
// As a new unlinked skin in the current skin's palette (grey without one), made current.
void SkinImportImageAsNew(App& app);
// The current skin as an 8-bit PNG in its palette, or as a 32-bit PNG or TGA enlarged 1 to 8
// times, named by default as the engines look for a replacement: skin.png beside skin.pcx.
void SkinExportImage(App& app);
// The mapping's outlines on the current skin or on a flat background, 1 to 8 times the skin size.
void MappingExportTemplate(App& app);

}  // namespace varp
