#include "platform/controls/picture.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/qt_path.h"

namespace fmx {

namespace {

QByteArray FormatForExtension(const QString& extension) {
  const QString ext = extension.toLower();
  if (ext == u"bmp") return "bmp";
  if (ext == u"jpg" || ext == u"jpeg") return "jpeg";
  if (ext == u"png") return "png";
  if (ext == u"gif") return "gif";
  if (ext == u"tif" || ext == u"tiff") return "tiff";
  if (ext == u"ico") return "ico";
  if (ext == u"hdp") return "jxr";  // HD Photo, when a plugin decodes it
  return {};
}

}  // namespace

QImage LoadPicture(std::u16string_view path) {
  const QString file = platform::ToQtPath(path);
  const QByteArray format = FormatForExtension(QFileInfo(file).suffix());
  if (format.isEmpty()) throw EPictureError("unsupported picture format");
  QImageReader reader(file, format);
  reader.setDecideFormatFromContent(false);
  reader.setAutoTransform(true);
  QImage image = reader.read();
  if (image.isNull()) throw EPictureError(reader.errorString().toStdString());
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace fmx
