#include "platform/controls/rectangle.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <cmath>

#include "platform/controls/form.h"
#include "platform/controls/picture.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

struct TRectangle::Bitmap {
  QImage image;
  // Where it came from, and whether it was decoded smaller than the file
  // holds: drawn on a denser screen than it was decoded for, it is read
  // again at the larger size.
  std::u16string path;
  mutable bool reduced = false;
  // The picture scaled once to the device size it is drawn at: repaints then
  // copy pixels instead of filtering the whole picture, and the edges do not
  // pick up colour from the opposite side of a tiled brush.
  mutable QImage scaled;
};

namespace {

// The shape a fill covers: the bounds less half the stroke on each side.
QRectF FillShape(float width, float height, bool stroked, float thickness) {
  const qreal inset = stroked ? thickness / 2.0 : 0.0;
  return QRectF(0, 0, width, height).adjusted(inset, inset, -inset, -inset);
}

QSize DeviceSize(const QRectF& shape, qreal ratio) {
  return QSize(qMax(1, qRound(shape.width() * ratio)), qMax(1, qRound(shape.height() * ratio)));
}

}  // namespace

TRectangle::TRectangle(TControl* owner) : TControl(owner) { SetSize(50, 50); }

TRectangle::~TRectangle() = default;

void TRectangle::SetFillColor(TAlphaColor color) {
  if (color == fillColor_) return;
  fillColor_ = color;
  Repaint();
}

void TRectangle::SetFillKind(TBrushKind kind) {
  if (kind == fillKind_) return;
  fillKind_ = kind;
  Repaint();
}

void TRectangle::LoadFillBitmap(std::u16string_view path) {
  const bool stroked = strokeKind_ != TBrushKind::None && strokeThickness_ > 0;
  const QWidget* host = Form() ? Form()->NativeWidget() : nullptr;
  const qreal ratio = host ? host->devicePixelRatioF() : 1.0;
  DecodedPicture picture =
      LoadPictureFor(path, DeviceSize(FillShape(Width(), Height(), stroked, strokeThickness_), ratio));
  if (!bitmap_) bitmap_ = std::make_unique<Bitmap>();
  // The same unchanged picture again keeps its scaled copy.
  if (bitmap_->image.cacheKey() != picture.image.cacheKey()) bitmap_->scaled = QImage();
  bitmap_->image = std::move(picture.image);
  bitmap_->reduced = picture.reduced;
  bitmap_->path = std::u16string(path);
  Repaint();
}

bool TRectangle::HasFillBitmap() const { return bitmap_ && !bitmap_->image.isNull(); }

void TRectangle::SetStrokeColor(TAlphaColor color) {
  if (color == strokeColor_) return;
  strokeColor_ = color;
  Repaint();
}

void TRectangle::SetStrokeKind(TBrushKind kind) {
  if (kind == strokeKind_) return;
  strokeKind_ = kind;
  Repaint();
}

void TRectangle::SetStrokeThickness(float thickness) {
  if (thickness == strokeThickness_) return;
  strokeThickness_ = thickness;
  Repaint();
}

void TRectangle::SetXRadius(float radius) {
  if (radius == xRadius_) return;
  xRadius_ = radius;
  Repaint();
}

void TRectangle::SetYRadius(float radius) {
  if (radius == yRadius_) return;
  yRadius_ = radius;
  Repaint();
}

void TRectangle::Paint(QPainter& painter) const {
  const bool stroked = strokeKind_ != TBrushKind::None && strokeThickness_ > 0;
  // The stroke lies inside the bounds: the shape is inset by half of it.
  const QRectF shape = FillShape(Width(), Height(), stroked, strokeThickness_);
  if (shape.width() <= 0 || shape.height() <= 0) return;
  QPainterPath path;
  if (xRadius_ > 0 && yRadius_ > 0) {
    path.addRoundedRect(shape, xRadius_, yRadius_);
  } else {
    path.addRect(shape);
  }
  if (fillKind_ == TBrushKind::Solid) {
    painter.fillPath(path, ToQColor(fillColor_));
  } else if (fillKind_ == TBrushKind::Bitmap && HasFillBitmap()) {
    // Device pixels per logical pixel: the painter's transform holds the
    // ratio of wherever the window is drawn to (a window rendered into a
    // picture reports a device ratio of 1).
    const QTransform& transform = painter.deviceTransform();
    const qreal ratio = std::hypot(transform.m11(), transform.m12());
    const QSize device = DeviceSize(shape, ratio);
    const QSize& decoded = bitmap_->image.size();
    if (bitmap_->reduced && (decoded.width() < device.width() || decoded.height() < device.height())) {
      try {
        DecodedPicture picture = LoadPictureFor(bitmap_->path, device);
        bitmap_->image = std::move(picture.image);
        bitmap_->reduced = picture.reduced;
        bitmap_->scaled = QImage();
      } catch (const EPictureError&) {
        bitmap_->reduced = false;  // the file is gone or broken: draw what we have
      }
    }
    if (bitmap_->scaled.size() != device) {
      bitmap_->scaled = bitmap_->image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QBrush brush(bitmap_->scaled);
    QTransform stretch;
    stretch.translate(shape.left(), shape.top());
    stretch.scale(1.0 / ratio, 1.0 / ratio);
    brush.setTransform(stretch);
    painter.fillPath(path, brush);
  }
  if (stroked) {
    painter.strokePath(path, QPen(ToQColor(strokeColor_), strokeThickness_));
  }
}

}  // namespace fmx
