#include "platform/controls/hd_photo.h"

#include "platform/controls/hd_photo_system.h"
#include "platform/controls/picture.h"

namespace fmx {

bool LooksLikeHdPhoto(std::string_view bytes) {
  // "II", then the format's own identifier byte.
  return bytes.size() >= 4 && bytes[0] == 'I' && bytes[1] == 'I' &&
         static_cast<unsigned char>(bytes[2]) == 0xBC;
}

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

std::optional<HdPhotoSize> DeclaredHdPhotoSize(std::string_view bytes) {
  // As in TIFF: the offset of the first directory at byte 4; there, the
  // number of entries, then 12 bytes an entry: tag, type, count, value.
  constexpr std::uint32_t kWidthTag = 0xBC80, kHeightTag = 0xBC81;
  constexpr std::uint32_t kShort = 3, kLong = 4;
  if (!LooksLikeHdPhoto(bytes) || bytes.size() < 8) return std::nullopt;
  const std::size_t directory = Little(bytes, 4, 4);
  if (directory > bytes.size() || bytes.size() - directory < 2) return std::nullopt;
  const std::size_t entries = Little(bytes, directory, 2);
  std::optional<std::uint32_t> width, height;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t at = directory + 2 + 12 * i;
    if (at + 12 > bytes.size()) break;
    const std::uint32_t tag = Little(bytes, at, 2), type = Little(bytes, at + 2, 2);
    if ((tag != kWidthTag && tag != kHeightTag) || (type != kShort && type != kLong)) continue;
    const std::uint32_t value = Little(bytes, at + 8, type == kShort ? 2 : 4);
    (tag == kWidthTag ? width : height) = value;
  }
  if (!width || !height) return std::nullopt;
  return HdPhotoSize{*width, *height};
}

std::string HdPhotoTooLarge(std::uint64_t width, std::uint64_t height) {
  return "HD Photo: picture too large (" + std::to_string(width) + " x " + std::to_string(height) +
         ")";
}

QImage DecodeHdPhoto(std::string_view bytes) {
  if (!LooksLikeHdPhoto(bytes)) throw EPictureError("HD Photo: not an HD Photo file");
  // Even one byte a pixel, the least any decoded form takes, would be too
  // much: refused at once, without starting a decoder.
  if (const auto size = DeclaredHdPhotoSize(bytes);
      size && std::uint64_t{size->width} * size->height > kMaxHdPhotoPixelBytes) {
    throw EPictureError(HdPhotoTooLarge(size->width, size->height));
  }
  return system::DecodeHdPhoto(bytes);
}

}  // namespace fmx
