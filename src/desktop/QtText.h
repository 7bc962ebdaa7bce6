// Conversions between the system's 8-bit strings and Qt's strings, paths kept in their forms.
#pragma once

#include <QFile>
#include <QString>
#include <string>

#include "platform/Paths.h"

namespace varp::qt {

// Message and label text: the system's text is 8-bit, written as UTF-8.
inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
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
