#include "platform/controls/rectangle.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/controls/picture.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

struct TRectangle::Bitmap {
  QImage image;
  // The picture scaled once to the device size it is drawn at: repaints then
  // copy pixels instead of filtering the whole picture, and the edges do not
  // pick up colour from the opposite side of a tiled brush.
  mutable QImage scaled;
};

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
  QImage image = LoadPicture(path);
  if (!bitmap_) bitmap_ = std::make_unique<Bitmap>();
  bitmap_->image = std::move(image);
  bitmap_->scaled = QImage();
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
  const qreal inset = stroked ? strokeThickness_ / 2.0 : 0.0;
  const QRectF shape = QRectF(0, 0, Width(), Height()).adjusted(inset, inset, -inset, -inset);
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
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize device(qMax(1, qRound(shape.width() * ratio)), qMax(1, qRound(shape.height() * ratio)));
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
