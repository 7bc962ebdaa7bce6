// Reading with QImageReader (the header first, so a file that claims an absurd size is refused
// before anything is allocated), writing PNG with QImageWriter through QSaveFile.
#include "desktop/QtImageCodec.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cstring>

#include "desktop/QtText.h"

namespace varp::qt {

namespace {

// The kinds of picture read, as Qt names its handlers.
bool IsReadKind(const QByteArray& format) {
    return format == "png" || format == "tga" || format == "bmp" || format == "jpeg" ||
           format == "jpg";
}

bool Refuse(std::string* problem, const std::string& text) {
    *problem = text;
    return false;
}

}  // namespace

bool QtImageCodec::Read(const std::string& path, RgbaPicture* picture, std::string* problem) {
    const std::string shown = ToOsForm(path);
    // The name's extension chooses the reader first (TGA files have no signature, and a lax
    // reader of another kind could claim them); the content decides when that reader refuses.
    QImageReader reader(ToOsPath(path));
    if (!reader.canRead() || !IsReadKind(reader.format())) {
        if (reader.error() == QImageReader::FileNotFoundError)
            return Refuse(problem, "Unable to open the picture " + shown + ".");
        if (QFileInfo(ToOsPath(path)).suffix().compare(u"tga", Qt::CaseInsensitive) == 0) {
            return Refuse(problem, "The TGA picture " + shown +
                                       " is of a kind Varp cannot read: TGA files are read in "
                                       "version 2, with their footer. Save it as PNG instead.");
        }
        return Refuse(problem, shown + " is not a picture Varp imports (PNG, TGA, BMP or JPEG).");
    }
    const QSize size = reader.size();
    const auto tooLarge = [&](int w, int h) {
        return w > MaxSide || h > MaxSide || int64_t{w} * h > MaxPixels;
    };
    if (size.isValid() && tooLarge(size.width(), size.height())) {
        return Refuse(problem, "The picture " + shown + " is " + std::to_string(size.width()) +
                                   " x " + std::to_string(size.height()) +
                                   " pixels: larger than Varp imports (" + std::to_string(MaxSide) +
                                   " on a side).");
    }
    // Room for the largest picture allowed, in 32 bits, and no more.
    reader.setAllocationLimit(static_cast<int>(MaxPixels * 4 >> 20) + 1);
    QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1 ||
        tooLarge(image.width(), image.height())) {
        return Refuse(problem, "The picture " + shown +
                                   " is damaged: " + reader.errorString().toStdString() + ".");
    }
    image = image.convertToFormat(QImage::Format_RGBA8888);
    picture->Width = image.width();
    picture->Height = image.height();
    picture->Pixels.resize(static_cast<size_t>(image.width()) *
                           static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(
            picture->Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width()),
            image.constScanLine(y), static_cast<size_t>(image.width()) * 4);
    }
    return true;
}

bool QtImageCodec::WritePng(const std::string& path, const PictureToWrite& picture,
                            std::string* problem) {
    QImage image;
    if (picture.Colours != nullptr) {
        image = QImage(reinterpret_cast<const uchar*>(picture.Colours), picture.Width,
                       picture.Height, picture.Width * 4, QImage::Format_RGBA8888);
    } else {
        image = QImage(picture.Indices, picture.Width, picture.Height, picture.Width,
                       QImage::Format_Indexed8);
        QList<QRgb> table(256);
        for (int i = 0; i < 256; ++i) {
            const uint8_t* c = picture.Palette + 3 * i;
            table[i] = qRgb(c[0], c[1], c[2]);
        }
        image.setColorTable(table);
    }
    QSaveFile file(ToOsPath(path));
    if (!file.open(QIODevice::WriteOnly)) return Refuse(problem, file.errorString().toStdString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return Refuse(problem, writer.errorString().toStdString());
    }
    if (!file.commit()) return Refuse(problem, file.errorString().toStdString());
    return true;
}

}  // namespace varp::qt
