#pragma once

#include <memory>
#include <string_view>

#include "platform/controls/control.h"

namespace fmx {

// A filled, stroked rectangle with rounded corners. New: solid fill
// FFE0E0E0, solid black stroke 1 wide, hit test on.
class TRectangle : public TControl {
 public:
  explicit TRectangle(TControl* owner);
  ~TRectangle() override;

  TAlphaColor FillColor() const { return fillColor_; }
  void SetFillColor(TAlphaColor color);
  TBrushKind FillKind() const { return fillKind_; }
  void SetFillKind(TBrushKind kind);
  // The fill picture, stretched over the rectangle when the kind is Bitmap.
  // Raises when the file cannot be decoded; the old picture then stays.
  void LoadFillBitmap(std::u16string_view path);
  bool HasFillBitmap() const;
  void SetFillBitmapWrapMode(TWrapMode mode) { wrapMode_ = mode; }
  TWrapMode FillBitmapWrapMode() const { return wrapMode_; }

  TAlphaColor StrokeColor() const { return strokeColor_; }
  void SetStrokeColor(TAlphaColor color);
  TBrushKind StrokeKind() const { return strokeKind_; }
  void SetStrokeKind(TBrushKind kind);
  float StrokeThickness() const { return strokeThickness_; }
  void SetStrokeThickness(float thickness);

  float XRadius() const { return xRadius_; }
  float YRadius() const { return yRadius_; }
  void SetXRadius(float radius);
  void SetYRadius(float radius);

 protected:
  void Paint(QPainter& painter) const override;
  float FocusRingRadius() const override { return xRadius_ > 0 && yRadius_ > 0 ? xRadius_ : 0; }

 private:
  struct Bitmap;
  std::unique_ptr<Bitmap> bitmap_;
  TAlphaColor fillColor_ = 0xFFE0E0E0;
  TAlphaColor strokeColor_ = 0xFF000000;
  float strokeThickness_ = 1;
  float xRadius_ = 0, yRadius_ = 0;
  TBrushKind fillKind_ = TBrushKind::Solid;
  TBrushKind strokeKind_ = TBrushKind::Solid;
  TWrapMode wrapMode_ = TWrapMode::TileStretch;
};

}  // namespace fmx
