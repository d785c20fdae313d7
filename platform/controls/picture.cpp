#include "platform/controls/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>

#include <list>
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

// How many times a picture of `source` pixels can be halved and still cover
// `target`: JPEG decodes at 1/2, 1/4 and 1/8 of its size almost for free, and
// for other formats the reader halves while it reads. Posters are drawn far
// smaller than marketing art is made.
int Halvings(QSize source, QSize target) {
  if (!target.isValid() || target.isEmpty()) return 0;
  int halvings = 0;
  while (halvings < 3 && source.width() >> (halvings + 1) >= target.width() &&
         source.height() >> (halvings + 1) >= target.height()) {
    ++halvings;
  }
  return halvings;
}

QSize Halved(QSize source, int halvings) {
  const int divisor = 1 << halvings;
  return QSize((source.width() + divisor - 1) / divisor, (source.height() + divisor - 1) / divisor);
}

QImage DecodeWithToolkit(const std::string& bytes, QSize target, bool& reduced) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  if (!IsPictureFormat(reader.format())) throw EPictureError("not a picture in a supported format");
  // The size is that of the stored picture, before it is turned upright.
  if (reader.transformation() & QImageIOHandler::TransformationRotate90) target.transpose();
  const QSize source = reader.size();
  if (const int halvings = Halvings(source, target); halvings > 0) {
    reader.setQuality(100);  // smooth when the reader itself has to scale
    reader.setScaledSize(Halved(source, halvings));
    reduced = true;
  }
  QImage image = reader.read();
  if (image.isNull()) throw EPictureError(reader.errorString().toStdString());
  return image;
}

// Decoded pictures, most recently used first, keyed by the file and the
// size they were decoded for. Showing an unchanged file again costs a
// file-status call; a file replaced on disk has another stamp and is read
// anew. A few display-sized pictures, not the catalog.
class PictureCache {
 public:
  struct Entry {
    std::u16string path;
    platform::FileStamp stamp;
    QSize target;  // what it was decoded for; invalid when at its own size
    DecodedPicture picture;
  };

  const DecodedPicture* Find(std::u16string_view path, const platform::FileStamp& stamp,
                             QSize target) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path != path || !(it->stamp == stamp)) continue;
      // A picture at its own size serves every request; a reduced one only
      // the size it was reduced for.
      if (it->picture.reduced && it->target != target) continue;
      entries_.splice(entries_.begin(), entries_, it);
      return &entries_.front().picture;
    }
    return nullptr;
  }

  void Add(Entry entry) {
    // An older decoding of the same path is of no more use once the file
    // changed.
    entries_.remove_if([&](const Entry& old) {
      return old.path == entry.path && !(old.stamp == entry.stamp);
    });
    entries_.push_front(std::move(entry));
    qsizetype bytes = 0;
    std::size_t kept = 0;
    for (auto it = entries_.begin(); it != entries_.end(); ++it, ++kept) {
      bytes += it->picture.image.sizeInBytes();
      if (kept >= kMaxEntries || (kept > 0 && bytes > kMaxBytes)) {
        entries_.erase(it, entries_.end());
        break;
      }
    }
  }

  void Clear() { entries_.clear(); }

 private:
  static constexpr std::size_t kMaxEntries = 8;
  static constexpr qsizetype kMaxBytes = qsizetype{48} << 20;
  std::list<Entry> entries_;
};

PictureCache& Cache() {
  static PictureCache cache;
  return cache;
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

DecodedPicture LoadPictureFor(std::u16string_view path, QSize deviceSize) {
  if (!IsPictureExtension(QFileInfo(platform::ToQtPath(path)).suffix())) {
    throw EPictureError("unsupported picture format");
  }
  const std::optional<platform::FileStamp> stamp = platform::StampOf(path);
  if (stamp) {
    if (const DecodedPicture* cached = Cache().Find(path, *stamp, deviceSize)) return *cached;
  }
  std::string reason;
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureBytes, &reason);
  if (!bytes) throw EPictureError(reason);
  DecodedPicture picture;
  if (LooksLikeHdPhoto(*bytes)) {
    picture.image = DecodeHdPhoto(*bytes);
    if (const int halvings = Halvings(picture.image.size(), deviceSize); halvings > 0) {
      picture.image = picture.image.scaled(Halved(picture.image.size(), halvings),
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      picture.reduced = true;
    }
  } else {
    picture.image = DecodeWithToolkit(*bytes, deviceSize, picture.reduced);
  }
  picture.image = picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  // The stamp read before the bytes: a file replaced while it was read is
  // read again next time.
  if (stamp) Cache().Add({std::u16string(path), *stamp, deviceSize, picture});
  return picture;
}

QImage LoadPicture(std::u16string_view path) { return LoadPictureFor(path, QSize()).image; }

void ClearPictureCache() { Cache().Clear(); }

}  // namespace fmx
