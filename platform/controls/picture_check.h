#pragma once

#include <memory>
#include <string>
#include <string_view>

// Picture checks for tools that include no toolkit headers: they answer what
// the window would make of a picture file.
namespace fmx {

// Whether LoadPicture decodes the file. When it does not, `reason` gets the
// decoder's explanation.
bool CanDecodePicture(std::u16string_view path, std::string* reason = nullptr);

// What the window would make of a picture file.
struct PictureFacts {
  bool decodes = false;
  std::string reason;  // why it does not decode
  int width = 0, height = 0;
  // The format the file's name says and the one its content is ("png",
  // "jpeg", "tiff", "hdp", ...); they differ for a misnamed file.
  std::string nameFormat, contentFormat;
};
PictureFacts InspectPicture(std::u16string_view path);

// The toolkit finds decoder plugins installed beside the executable only
// while an application object exists, as in the running program. Keep one of
// these alive while checking pictures; it needs no display, and does nothing
// when an application object exists already.
class PictureDecoders {
 public:
  PictureDecoders(int& argc, char** argv);
  ~PictureDecoders();
  PictureDecoders(const PictureDecoders&) = delete;
  PictureDecoders& operator=(const PictureDecoders&) = delete;

 private:
  struct Toolkit;
  std::unique_ptr<Toolkit> toolkit_;
};

}  // namespace fmx
