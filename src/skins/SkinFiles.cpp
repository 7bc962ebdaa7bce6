// Skin files through the platform's file class, and the stand-in skin.
#include "skins/SkinFiles.h"

#include "app/FileBytes.h"
#include "formats/Pcx.h"

namespace varp {

std::unique_ptr<SkinImage> LoadSkinFile(Platform& sys, const std::string& name,
                                        std::string* problem) {
    if (problem != nullptr) problem->clear();
    std::vector<uint8_t> bytes;
    std::string fullPath;
    if (!ReadWholeFile(sys, name, &bytes, &fullPath)) return nullptr;
    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(bytes), problem);
    if (!skin) return nullptr;
    skin->Name = name;
    skin->Path = fullPath;
    skin->Flags = 0;
    skin->OnDisk = 1;
    return skin;
}

int SaveSkinFile(Platform& sys, const SkinImage& skin, const std::string& path) {
    return WriteWholeFile(
        sys, path, EncodePcx(skin.Pixels.data(), skin.Width, skin.Height, skin.Palette.data()));
}

std::unique_ptr<SkinImage> MakeTemporarySkin(const std::string& name, const std::string& path,
                                             int width, int height) {
    auto skin = std::make_unique<SkinImage>();
    skin->Name = name;
    skin->Path = path;
    skin->Flags = 0;
    skin->OnDisk = 0;
    skin->Width = static_cast<int16_t>(width);
    skin->Height = static_cast<int16_t>(height);
    skin->Palette = GreyPalette();
    skin->Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool same = ((x >> 2) & 1) == ((y >> 2) & 1);
            skin->Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                         static_cast<size_t>(x)] = same ? 63 : 191;
        }
    }
    skin->StoredPixels = skin->Pixels;
    return skin;
}

}  // namespace varp
