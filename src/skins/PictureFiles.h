// Picture files of other programs: read through the platform's codec, skins written as PNG
// (in their palette or in 32 bits) or as 32-bit TGA, enlarged for the engines' replacement skins.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "platform/Platform.h"

namespace varp {

enum class PictureKind { IndexedPng, Png, Tga };

// The largest side of a picture written: the engines and painting programs stop long before.
inline constexpr int MaxPictureSide = 16384;

// Reads a picture file. False, with the message for the user in *problem, when it cannot be.
bool ReadPicture(Platform& sys, const std::string& path, RgbaPicture* picture,
                 std::string* problem);

// Writes a picture as a 32-bit PNG or TGA (IndexedPng is taken as Png), replacing the file only
// once it is complete. False with the reason in *problem.
bool WritePicture(Platform& sys, const std::string& path, const RgbaPicture& picture,
                  PictureKind kind, std::string* problem);

// Writes a skin's texels as a picture of the kind, each texel a scale x scale block (scale 1
// to 8, the sides at most MaxPictureSide). False with the reason in *problem.
bool WriteSkinPicture(Platform& sys, const SkinImage& skin, const std::string& path,
                      PictureKind kind, int scale, std::string* problem);

}  // namespace varp
