#pragma once

#include <QString>

#include <string_view>

namespace platform {

// A program path as Qt takes it, unchanged.
inline QString ToQtPath(std::u16string_view path) {
  return QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace platform
