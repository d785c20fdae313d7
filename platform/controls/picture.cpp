#include "platform/controls/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>

#include <optional>
#include <string>

#include "platform/controls/hd_photo.h"
#include "platform/files.h"
#include "platform/qt_path.h"

namespace fmx {

namespace {

// Larger files are refused before they are read whole.
constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;

bool IsPictureExtension(const QString& extension) {
  const QString ext = extension.toLower();
  for (const char* listed : {"bmp", "jpg", "jpeg", "png", "gif", "tif", "tiff", "ico", "hdp"}) {
    if (ext == QLatin1String(listed)) return true;
  }
  return false;
}

// What the toolkit may decode, by the name it gives the format it finds in
// the content; other formats it knows (SVG, WebP, ...) are no pictures here.
bool IsPictureFormat(const QByteArray& format) {
  for (const char* listed : {"bmp", "jpeg", "jpg", "png", "gif", "tif", "tiff", "ico"}) {
    if (format == listed) return true;
  }
  return false;
}

QImage DecodeWithToolkit(const std::string& bytes) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  if (!IsPictureFormat(reader.format())) throw EPictureError("not a picture in a supported format");
  QImage image = reader.read();
  if (image.isNull()) throw EPictureError(reader.errorString().toStdString());
  return image;
}

}  // namespace

std::string PictureFormatOfName(std::u16string_view path) {
  const QString ext = QFileInfo(platform::ToQtPath(path)).suffix().toLower();
  if (!IsPictureExtension(ext)) return {};
  if (ext == u"jpg") return "jpeg";
  if (ext == u"tif") return "tiff";
  return ext.toStdString();
}

std::string PictureFormatOfContent(std::u16string_view path) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureBytes);
  if (!bytes) return {};
  if (LooksLikeHdPhoto(*bytes)) return "hdp";
  QByteArray data = QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  const QByteArray format = QImageReader::imageFormat(&buffer);
  if (!IsPictureFormat(format)) return {};
  if (format == "jpg") return "jpeg";
  if (format == "tif") return "tiff";
  return format.toStdString();
}

QImage LoadPicture(std::u16string_view path) {
  if (!IsPictureExtension(QFileInfo(platform::ToQtPath(path)).suffix())) {
    throw EPictureError("unsupported picture format");
  }
  std::string reason;
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureBytes, &reason);
  if (!bytes) throw EPictureError(reason);
  QImage image = LooksLikeHdPhoto(*bytes) ? DecodeHdPhoto(*bytes) : DecodeWithToolkit(*bytes);
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace fmx
