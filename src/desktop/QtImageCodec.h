// Picture files through Qt's image readers and writers: PNG, JPEG and BMP from Qt itself, TGA
// from the image-format plugins.
#pragma once

#include "platform/ImageCodec.h"

namespace varp::qt {

class QtImageCodec final : public ImageCodec {
  public:
    bool Read(const std::string& path, RgbaPicture* picture, std::string* problem) override;
    bool WritePng(const std::string& path, const PictureToWrite& picture,
                  std::string* problem) override;
};

}  // namespace varp::qt
