#pragma once

#include <memory>
#include <string_view>

#include "platform/controls/control.h"

namespace fmx {

// A picture drawn inside the control; wrap mode Fit scales it to fit while
// keeping its proportions, centred.
class TImage : public TControl {
 public:
  explicit TImage(TControl* owner);
  ~TImage() override;

  // Raises when the file cannot be decoded; the old picture then stays.
  void LoadFromFile(std::u16string_view path);
  // Resizes the bitmap to pixels and clears it to one colour.
  void SetBitmapSize(int width, int height);
  void ClearBitmap(TAlphaColor color);
  bool BitmapEmpty() const;
  int BitmapWidth() const;
  int BitmapHeight() const;

  TImageWrapMode WrapMode() const { return wrapMode_; }
  void SetWrapMode(TImageWrapMode mode);

  // For pictures whose pixels are the message, such as QR codes: enlarged
  // or mildly reduced on the device, every picture pixel stays a block of
  // its own colour (nearest neighbour); only a reduction to less than half
  // is smoothed, where dropping whole pixels would distort the picture.
  // Off by default: pictures are smoothed at every scale.
  bool SharpPixels() const { return sharpPixels_; }
  void SetSharpPixels(bool sharp);

 protected:
  void Paint(QPainter& painter) const override;

 private:
  struct Bitmap;
  std::unique_ptr<Bitmap> bitmap_;
  TImageWrapMode wrapMode_ = TImageWrapMode::Fit;
  bool sharpPixels_ = false;
};

}  // namespace fmx
