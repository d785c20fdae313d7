#pragma once

#include <QImage>

#include <string_view>

namespace fmx {

// Whether the bytes begin like an HD Photo (JPEG XR) file.
bool LooksLikeHdPhoto(std::string_view bytes);

// Decodes an HD Photo held in memory. Raises EPictureError when the bytes
// are no HD Photo, are damaged, or hold a pixel format without an 8-bit form.
// Where the system allows, the decoder runs in a child process for at most
// a few seconds, so that a damaged file cannot stop or hang the program.
QImage DecodeHdPhoto(std::string_view bytes);

}  // namespace fmx
