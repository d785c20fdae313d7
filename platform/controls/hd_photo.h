#pragma once

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fmx {

// Whether the bytes begin like an HD Photo (JPEG XR) file.
bool LooksLikeHdPhoto(std::string_view bytes);

// The most pixel bytes a decoded picture may take, as for the toolkit's
// other picture readers: a larger picture is refused before it is decoded.
inline constexpr std::uint64_t kMaxHdPhotoPixelBytes = std::uint64_t{128} << 20;

// The width and height the file's directory declares, when it has both.
struct HdPhotoSize {
  std::uint32_t width = 0, height = 0;
};
std::optional<HdPhotoSize> DeclaredHdPhotoSize(std::string_view bytes);
// "HD Photo: picture too large (W x H)", whichever check finds it.
std::string HdPhotoTooLarge(std::uint64_t width, std::uint64_t height);

// Decodes an HD Photo held in memory. Raises EPictureError when the bytes
// are no HD Photo, are damaged, declare more pixels than kMaxHdPhotoPixelBytes
// hold (told before any decoding), or hold a pixel format without an 8-bit
// form.
// Where the system allows, the decoder runs in a child process for at most
// a few seconds, so that a damaged file cannot stop or hang the program.
QImage DecodeHdPhoto(std::string_view bytes);

}  // namespace fmx
