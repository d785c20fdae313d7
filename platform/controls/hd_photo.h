#pragma once

#include <QImage>

#include <string_view>

namespace fmx {

// Whether the bytes begin like an HD Photo (JPEG XR) file.
bool LooksLikeHdPhoto(std::string_view bytes);

// Decodes an HD Photo held in memory. Raises EPictureError when the bytes
// are no HD Photo or hold a pixel format without an 8-bit form.
QImage DecodeHdPhoto(std::string_view bytes);

}  // namespace fmx
