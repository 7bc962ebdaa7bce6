// Skin files through the platform's file class, and the stand-in skin.
#include "skins/SkinFiles.h"

#include "app/FileBytes.h"
#include "formats/Pcx.h"
#include "gamedata/GameFolder.h"

namespace varp {

namespace {

std::unique_ptr<SkinImage> SkinFromBytes(const std::vector<uint8_t>& bytes, const std::string& name,
                                         const std::string& path, uint32_t onDisk,
                                         std::string* problem) {
    std::unique_ptr<SkinImage> skin = DecodePcx(ByteView(bytes), problem);
    if (!skin) return nullptr;
    skin->Name = name;
    skin->Path = path;
    skin->Flags = 0;
    skin->OnDisk = onDisk;
    skin->FileDigest = DigestOf(bytes);
    return skin;
}

}  // namespace

std::unique_ptr<SkinImage> LoadSkinFile(Platform& sys, const std::string& name,
                                        std::string* problem) {
    if (problem != nullptr) problem->clear();
    std::vector<uint8_t> bytes;
    std::string fullPath;
    if (!ReadWholeFile(sys, name, &bytes, &fullPath)) return nullptr;
    return SkinFromBytes(bytes, name, fullPath, 1, problem);
}

std::unique_ptr<SkinImage> LoadGameSkin(App& app, const std::string& path, std::string* problem) {
    if (problem != nullptr) problem->clear();
    std::vector<uint8_t> bytes;
    GameFile where;
    if (!ReadGameFile(app, path, &bytes, &where)) return nullptr;
    return SkinFromBytes(bytes, path, where.Path, where.Pak.empty() ? 1 : InPak, problem);
}

int SaveSkinFile(Platform& sys, const SkinImage& skin, const std::string& path, uint64_t* digest) {
    const std::vector<uint8_t> bytes =
        EncodePcx(skin.Pixels.data(), skin.Width, skin.Height, skin.Palette.data());
    if (!WriteWholeFile(sys, path, bytes)) return 0;
    if (digest != nullptr) *digest = DigestOf(bytes);
    return 1;
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
