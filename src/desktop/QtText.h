// Conversions between the system's 8-bit strings and Qt's strings, paths kept in their forms.
#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <string>

#include "platform/Paths.h"

namespace varp::qt {

// Message and label text. The system's text is 8-bit: names from files and folders are shown
// as UTF-8 when they are valid UTF-8 (what Linux file names are nowadays), else byte for byte
// as Latin-1, so that no name ever shows replacement characters.
inline QString ToQString(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A path from the system (either separator) as the operating system spells it.
inline QString ToOsPath(const std::string& systemPath) {
    return QFile::decodeName(QByteArray::fromStdString(ToOsForm(systemPath)));
}

// A path from the operating system in the system's form, backslash separators.
inline std::string ToSystemPath(const QString& osPath) {
    return ToSystemForm(QFile::encodeName(osPath).toStdString());
}

}  // namespace varp::qt
