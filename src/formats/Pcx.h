// 256-colour PCX skins: the codec, and reading and writing skin files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "platform/Platform.h"

namespace varp {

inline constexpr size_t PcxHeaderSize = 128;
inline constexpr size_t PaletteSize = 768;

// Decodes a whole PCX file held in memory into a new skin (Name, Path and OnDisk left for the
// caller). Null when the file cannot be an image: too short for a header and palette, a
// maximum below its minimum, a size beyond 32767, or pixel data that ends before the image.
std::unique_ptr<SkinImage> DecodePcx(const uint8_t* data, size_t size);

// The file this system writes: an unpadded 8-bit single-plane image in which every pixel of
// 0xC0 or above is written as a one-pixel run.
std::vector<uint8_t> EncodePcx(const uint8_t* pixels, int width, int height,
                               const uint8_t* palette);

// Reads a PCX file (full path, or relative to the current directory) into a new linked skin
// named `name`. Null when the file cannot be opened or is not a usable image; shows nothing.
std::unique_ptr<SkinImage> LoadSkinFile(Platform& sys, const std::string& name);

// Writes the skin's pixels and palette to `path`. 1 on success; 0 after the message
// "Error Saving:" with the failure cause, and then the file on disk is as it was.
int SaveSkinFile(Platform& sys, const SkinImage& skin, const std::string& path);

// A skin that stands in for one that cannot be read: a grey checkerboard of 4 x 4 squares.
std::unique_ptr<SkinImage> MakeTemporarySkin(const std::string& name, const std::string& path,
                                             int width, int height);

}  // namespace varp
