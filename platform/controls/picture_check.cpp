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

PictureFacts InspectPicture(std::u16string_view path) {
  PictureFacts facts;
  try {
    const QImage image = LoadPicture(path);
    facts.decodes = true;
    facts.width = image.width();
    facts.height = image.height();
  } catch (const EPictureError& error) {
    facts.reason = error.what();
  }
  facts.nameFormat = PictureFormatOfName(path);
  facts.contentFormat = PictureFormatOfContent(path);
  return facts;
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
