#pragma once

#include <QImage>

#include <string_view>

namespace fmx::wic {

// The largest picture decoded, in bytes of 32-bit pixels: Qt's own limit for
// the pictures it reads, so no format asks for more.
inline constexpr unsigned long long kMaxPixelBytes = 128ull * 1024 * 1024;

// Decodes an HD Photo with the Windows Imaging Component, in this process;
// a picture larger than kMaxPixelBytes is refused from its header. Raises
// EPictureError.
QImage DecodeHdPhoto(std::string_view bytes);

}  // namespace fmx::wic
