#include "platform/controls/label.h"

#include <QPainter>
#include <QTextLayout>

#include "platform/controls/font.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

namespace {

Qt::Alignment HorizontalAlignment(TTextAlign align) {
  switch (align) {
    case TTextAlign::Center:
      return Qt::AlignHCenter;
    case TTextAlign::Trailing:
      return Qt::AlignRight;
    case TTextAlign::Leading:
      break;
  }
  return Qt::AlignLeft;
}

}  // namespace

TLabel::TLabel(TControl* owner) : TControl(owner) {
  SetSize(120, 17);
  SetHitTest(false);
}

TLabel::~TLabel() = default;

void TLabel::Invalidate() {
  layout_.reset();
  Repaint();
}

void TLabel::SetText(const std::u16string& text) {
  if (text == text_) return;
  text_ = text;
  Invalidate();
}

void TLabel::SetStyledSettings(unsigned settings) {
  if (settings == styledSettings_) return;
  styledSettings_ = settings;
  Invalidate();
}

void TLabel::SetFontSize(float size) {
  if (size == fontSize_) return;
  fontSize_ = size;
  Invalidate();
}

void TLabel::SetFontBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  Invalidate();
}

void TLabel::SetFontUnderline(bool underline) {
  if (underline == underline_) return;
  underline_ = underline;
  Invalidate();
}

void TLabel::SetFontColor(TAlphaColor color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Repaint();
}

void TLabel::SetHorzAlign(TTextAlign align) {
  if (align == horzAlign_) return;
  horzAlign_ = align;
  Invalidate();
}

void TLabel::SetVertAlign(TTextAlign align) {
  if (align == vertAlign_) return;
  vertAlign_ = align;
  Repaint();
}

void TLabel::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  Invalidate();
}

void TLabel::BoundsChanged() {
  // Lines depend on the width only; moving the label keeps them.
  if (layout_ && layoutWidth_ != Width()) layout_.reset();
}

float TLabel::EffectiveFontSize() const {
  return (styledSettings_ & ssSize) ? kStyleFontSize : fontSize_;
}

TAlphaColor TLabel::EffectiveFontColor() const {
  return (styledSettings_ & ssFontColor) ? kStyleFontColor : fontColor_;
}

const QTextLayout& TLabel::Layout() const {
  if (layout_) return *layout_;
  const bool styled = styledSettings_ & ssStyle;
  layout_ = std::make_unique<QTextLayout>(
      ToQString(text_), ControlFont(EffectiveFontSize(), !styled && bold_, !styled && underline_));
  QTextOption option(HorizontalAlignment(horzAlign_));
  option.setWrapMode(wordWrap_ ? QTextOption::WordWrap : QTextOption::NoWrap);
  layout_->setTextOption(option);
  layout_->setCacheEnabled(true);
  // A label exactly as wide as its measured text must not wrap it because of
  // rounding.
  layoutWidth_ = Width();
  const qreal lineWidth = Width() + 0.5;
  qreal y = 0;
  layout_->beginLayout();
  for (QTextLine line = layout_->createLine(); line.isValid(); line = layout_->createLine()) {
    line.setLineWidth(lineWidth);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout_->endLayout();
  layoutHeight_ = float(y);
  return *layout_;
}

int TLabel::LineCount() const { return Layout().lineCount(); }

void TLabel::Paint(QPainter& painter) const {
  if (text_.empty()) return;
  const QTextLayout& layout = Layout();
  float top = 0;
  if (vertAlign_ == TTextAlign::Center) top = (Height() - layoutHeight_) / 2;
  else if (vertAlign_ == TTextAlign::Trailing) top = Height() - layoutHeight_;
  // The half pixel of rounding slack stays out of the alignment.
  const float shift = horzAlign_ == TTextAlign::Center ? -0.25f
                      : horzAlign_ == TTextAlign::Trailing ? -0.5f
                                                           : 0.0f;
  painter.setPen(ToQColor(EffectiveFontColor()));
  layout.draw(&painter, QPointF(shift, top));
}

}  // namespace fmx
