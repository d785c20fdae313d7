#include "platform/controls/image.h"

#include <QPainter>

#include <cmath>

#include "platform/controls/picture.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

struct TImage::Bitmap {
  QImage image;
};

TImage::TImage(TControl* owner) : TControl(owner), bitmap_(std::make_unique<Bitmap>()) {
  SetSize(100, 100);
}

TImage::~TImage() = default;

void TImage::LoadFromFile(std::u16string_view path) {
  // Icons and QR images are small: every pixel of the file is kept, so QR
  // modules stay sharp and icons are filtered as they are drawn. The cache
  // still spares a decode when the same file shows again.
  bitmap_->image = LoadPictureFor(path, QSize()).image;
  Repaint();
}

void TImage::SetBitmapSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    bitmap_->image = QImage();
  } else if (bitmap_->image.width() != width || bitmap_->image.height() != height) {
    bitmap_->image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    bitmap_->image.fill(Qt::transparent);
  }
  Repaint();
}

void TImage::ClearBitmap(TAlphaColor color) {
  if (bitmap_->image.isNull()) return;
  bitmap_->image.fill(ToQColor(color));
  Repaint();
}

bool TImage::BitmapEmpty() const { return bitmap_->image.isNull(); }
int TImage::BitmapWidth() const { return bitmap_->image.width(); }
int TImage::BitmapHeight() const { return bitmap_->image.height(); }

void TImage::SetWrapMode(TImageWrapMode mode) {
  if (mode == wrapMode_) return;
  wrapMode_ = mode;
  Repaint();
}

void TImage::Paint(QPainter& painter) const {
  const QImage& image = bitmap_->image;
  if (image.isNull() || Width() <= 0 || Height() <= 0) return;
  const qreal scale = std::min(Width() / qreal(image.width()), Height() / qreal(image.height()));
  const QSizeF size(image.width() * scale, image.height() * scale);
  const QRectF target(QPointF((Width() - size.width()) / 2, (Height() - size.height()) / 2), size);
  if (!sharpPixels_) {
    painter.drawImage(target, image);
    return;
  }
  // Device pixels per picture pixel: the painter's transform holds the
  // device pixel ratio of wherever the window is drawn to.
  const QTransform& device = painter.deviceTransform();
  const qreal onDevice = scale * std::hypot(device.m11(), device.m12());
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, onDevice < 0.5);
  painter.drawImage(target, image);
  painter.restore();
}

void TImage::SetSharpPixels(bool sharp) {
  if (sharp == sharpPixels_) return;
  sharpPixels_ = sharp;
  Repaint();
}

}  // namespace fmx
