#pragma once

#include <QDir>
#include <QString>

#include <string>
#include <string_view>

namespace platform {

// A program path as Qt takes it, unchanged.
inline QString ToQtPath(std::u16string_view path) {
  return QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size()));
}

// A path Qt gives, with the system's own separators, as the program holds it.
inline std::u16string FromQtPath(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  return std::u16string(reinterpret_cast<const char16_t*>(native.utf16()),
                        static_cast<std::size_t>(native.size()));
}

}  // namespace platform
