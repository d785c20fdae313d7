#pragma once

#include <QImage>

#include <stdexcept>
#include <string_view>

namespace fmx {

class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes a picture by its file extension: .bmp, .jpg, .jpeg, .png, .gif,
// .tif, .tiff, .ico, and .hdp where a decoder is installed. Raises
// EPictureError when the file cannot be read or decoded.
QImage LoadPicture(std::u16string_view path);

}  // namespace fmx
