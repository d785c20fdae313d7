#include "platform/controls/picture_check.h"

#include <QCoreApplication>

#include "platform/controls/picture.h"

namespace fmx {

bool CanDecodePicture(std::u16string_view path, std::string* reason) {
  try {
    LoadPicture(path);
    return true;
  } catch (const EPictureError& error) {
    if (reason) *reason = error.what();
    return false;
  }
}

struct PictureDecoders::Toolkit {
  Toolkit(int& argc, char** argv) : app(argc, argv) {}
  QCoreApplication app;
};

PictureDecoders::PictureDecoders(int& argc, char** argv) {
  if (!QCoreApplication::instance()) toolkit_ = std::make_unique<Toolkit>(argc, argv);
}

PictureDecoders::~PictureDecoders() = default;

}  // namespace fmx
