#pragma once

#include <memory>
#include <string>

namespace fmx {

// Measures text the way labels draw it: the toolkit's default family at a
// pixel size, laid out on one line. The width counts trailing spaces.
class TTextLayout {
 public:
  TTextLayout();
  ~TTextLayout();
  TTextLayout(const TTextLayout&) = delete;
  TTextLayout& operator=(const TTextLayout&) = delete;

  // Changes made between BeginUpdate and EndUpdate are laid out once.
  void BeginUpdate();
  void EndUpdate();
  void SetFontSize(float size);
  void SetMaxSize(float width, float height);
  void SetText(const std::u16string& text);

  float TextWidth() const { return width_; }
  float TextHeight() const { return height_; }

 private:
  void Layout();
  int updating_ = 0;
  float fontSize_ = 12;
  float maxWidth_ = 10000, maxHeight_ = 10000;
  std::u16string text_;
  float width_ = 0, height_ = 0;
};

}  // namespace fmx
