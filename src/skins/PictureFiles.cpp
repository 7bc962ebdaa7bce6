// Picture files: the platform's codec for PNG and what it reads, the system's own TGA writer.
#include "skins/PictureFiles.h"

#include "app/FileBytes.h"
#include "formats/Tga.h"
#include "images/Pictures.h"

namespace varp {

namespace {

const char* const NoCodec = "Pictures cannot be read or written here.";

}  // namespace

bool ReadPicture(Platform& sys, const std::string& path, RgbaPicture* picture,
                 std::string* problem) {
    ImageCodec* codec = sys.Images();
    if (codec == nullptr) {
        *problem = NoCodec;
        return false;
    }
    return codec->Read(path, picture, problem);
}

bool WritePicture(Platform& sys, const std::string& path, const RgbaPicture& picture,
                  PictureKind kind, std::string* problem) {
    if (kind == PictureKind::Tga) {
        if (WriteWholeFile(sys, path, EncodeTga(picture), true)) return true;
        *problem = "the file could not be written.";
        return false;
    }
    ImageCodec* codec = sys.Images();
    if (codec == nullptr) {
        *problem = NoCodec;
        return false;
    }
    PictureToWrite out;
    out.Width = picture.Width;
    out.Height = picture.Height;
    out.Colours = picture.Pixels.data();
    return codec->WritePng(path, out, problem);
}

bool WriteSkinPicture(Platform& sys, const SkinImage& skin, const std::string& path,
                      PictureKind kind, int scale, std::string* problem) {
    if (scale < 1 || scale > 8 || skin.Width * scale > MaxPictureSide ||
        skin.Height * scale > MaxPictureSide) {
        *problem = "the picture would be too large.";
        return false;
    }
    if (kind != PictureKind::IndexedPng) {
        return WritePicture(
            sys, path,
            ColoursOf(skin.Pixels.data(), skin.Width, skin.Height, skin.Palette.data(), scale),
            kind, problem);
    }
    ImageCodec* codec = sys.Images();
    if (codec == nullptr) {
        *problem = NoCodec;
        return false;
    }
    const std::vector<uint8_t> indices =
        EnlargeIndices(skin.Pixels.data(), skin.Width, skin.Height, scale);
    PictureToWrite out;
    out.Width = skin.Width * scale;
    out.Height = skin.Height * scale;
    out.Indices = indices.data();
    out.Palette = skin.Palette.data();
    return codec->WritePng(path, out, problem);
}

}  // namespace varp
