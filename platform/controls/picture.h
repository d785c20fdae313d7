#pragma once

#include <QImage>

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/controls/picture_cache.h"

namespace fmx {

class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes a picture file. The extension decides whether the file is a
// picture at all (.bmp, .jpg, .jpeg, .png, .gif, .tif, .tiff, .ico, .hdp);
// the content decides how it is decoded, so a JPEG named .png shows, as long
// as the content is one of these formats too. Raises EPictureError when the
// file cannot be read or decoded.
QImage LoadPicture(std::u16string_view path);

// The same, for drawing at `deviceSize` device pixels: a picture at least
// twice that size is halved (up to three times) while it is read, so it stays
// at least as large as it is drawn. Decoded pictures are kept in a small
// cache keyed by the file's path and its stamp (size, modification time and
// the file's identity with its change time): showing an unchanged file again
// costs a file-status call, not a decode, and any replacement is read anew.
struct DecodedPicture {
  QImage image;
  bool reduced = false;  // smaller than the file holds
};
DecodedPicture LoadPictureFor(std::u16string_view path, QSize deviceSize);

// The format a picture file's name says ("png", "jpeg", "tiff", "hdp", ...),
// empty for a name that is no picture; and the format its content is, empty
// when the content is none of them.
std::string PictureFormatOfName(std::u16string_view path);
std::string PictureFormatOfContent(std::u16string_view path);

}  // namespace fmx
