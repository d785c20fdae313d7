#pragma once

#include <QString>

#include <string_view>

namespace platform {

// A program path as Qt takes it; on systems whose separator is '/', a '\'
// is a separator too.
inline QString ToQtPath(std::u16string_view path) {
  QString text = QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size()));
#ifndef _WIN32
  text.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
  return text;
}

}  // namespace platform
