#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

// Captions and texts cross the platform boundary as UTF-8.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace platform
