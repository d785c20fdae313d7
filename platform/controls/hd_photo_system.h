#pragma once

// The system's HD Photo decoder (hd_photo_posix.cpp: jxrlib in a child
// process; hd_photo_windows.cpp: the Windows Imaging Component).

#include <QImage>

#include <string_view>

namespace fmx::system {

// Decodes bytes that begin like an HD Photo; raises EPictureError when they
// are damaged, too large, or hold a pixel format without an 8-bit form.
QImage DecodeHdPhoto(std::string_view bytes);

}  // namespace fmx::system
