#include "platform/controls/text_layout.h"

#include <QTextLayout>

#include <algorithm>

#include "platform/controls/font.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

TTextLayout::TTextLayout() = default;
TTextLayout::~TTextLayout() = default;

void TTextLayout::BeginUpdate() { ++updating_; }

void TTextLayout::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) Layout();
}

void TTextLayout::SetFontSize(float size) {
  fontSize_ = size;
  if (!updating_) Layout();
}

void TTextLayout::SetMaxSize(float width, float height) {
  maxWidth_ = width;
  maxHeight_ = height;
  if (!updating_) Layout();
}

void TTextLayout::SetText(const std::u16string& text) {
  text_ = text;
  if (!updating_) Layout();
}

void TTextLayout::Layout() {
  QTextLayout layout(ToQString(text_), ControlFont(fontSize_));
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) line.setLineWidth(maxWidth_);
  layout.endLayout();
  width_ = line.isValid() ? std::min(float(line.naturalTextWidth()), maxWidth_) : 0;
  height_ = line.isValid() ? std::min(float(line.height()), maxHeight_) : 0;
}

}  // namespace fmx
