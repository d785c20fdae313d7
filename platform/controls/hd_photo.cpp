#include "platform/controls/hd_photo.h"

#include "platform/controls/hd_photo_system.h"
#include "platform/controls/picture.h"

namespace fmx {

bool LooksLikeHdPhoto(std::string_view bytes) {
  // "II", then the format's own identifier byte.
  return bytes.size() >= 4 && bytes[0] == 'I' && bytes[1] == 'I' &&
         static_cast<unsigned char>(bytes[2]) == 0xBC;
}

QImage DecodeHdPhoto(std::string_view bytes) {
  if (!LooksLikeHdPhoto(bytes)) throw EPictureError("HD Photo: not an HD Photo file");
  return system::DecodeHdPhoto(bytes);
}

}  // namespace fmx
