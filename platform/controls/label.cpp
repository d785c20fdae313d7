#include "platform/controls/label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

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
  AccessibleNameChanged();
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
  // Lines depend on the width, and which of them fit on the height; moving
  // the label keeps them.
  if (layout_ && (layoutWidth_ != Width() || layoutBoxHeight_ != Height())) layout_.reset();
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
  const QFont font = ControlFont(EffectiveFontSize(), !styled && bold_, !styled && underline_);
  const QString text = ToQString(text_);
  layout_ = std::make_unique<QTextLayout>(text, font);
  cutLine_.reset();
  QTextOption option(HorizontalAlignment(horzAlign_));
  // A word wider than the label breaks inside the word rather than running
  // out of the label.
  option.setWrapMode(wordWrap_ ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  layout_->setTextOption(option);
  layout_->setCacheEnabled(true);
  // A label exactly as wide as its measured text must not wrap it because of
  // rounding.
  layoutWidth_ = Width();
  layoutBoxHeight_ = Height();
  const qreal lineWidth = Width() + 0.5;
  qreal y = 0;
  shownLines_ = 0;
  layoutHeight_ = 0;
  layout_->beginLayout();
  for (QTextLine line = layout_->createLine(); line.isValid(); line = layout_->createLine()) {
    line.setLineWidth(lineWidth);
    line.setPosition(QPointF(0, y));
    y += line.height();
    // Only lines that fit the height are drawn, but always the first, so a
    // label lower than one line still shows it.
    if (shownLines_ == line.lineNumber() && (shownLines_ == 0 || y <= Height() + 0.01)) {
      ++shownLines_;
      layoutHeight_ = float(y);
    }
  }
  layout_->endLayout();
  if (shownLines_ == 0) return *layout_;

  const QTextLine last = layout_->lineAt(shownLines_ - 1);
  if (shownLines_ < layout_->lineCount() || last.naturalTextWidth() > lineWidth) {
    // The last line drawn takes what it can of the rest of the text and
    // ends in an ellipsis.
    const QString rest = text.mid(last.textStart());
    const QString shortened = QFontMetricsF(font).elidedText(rest, Qt::ElideRight, lineWidth);
    cutLine_ = std::make_unique<QTextLayout>(shortened, font);
    QTextOption oneLine(HorizontalAlignment(horzAlign_));
    oneLine.setWrapMode(QTextOption::NoWrap);
    cutLine_->setTextOption(oneLine);
    cutLine_->beginLayout();
    QTextLine line = cutLine_->createLine();
    if (line.isValid()) {
      line.setLineWidth(lineWidth);
      line.setPosition(last.position());
    }
    cutLine_->endLayout();
  }
  return *layout_;
}

int TLabel::LineCount() const { return Layout().lineCount(); }

int TLabel::ShownLineCount() const {
  Layout();
  return shownLines_;
}

bool TLabel::TextCut() const {
  Layout();
  return cutLine_ != nullptr;
}

std::u16string TLabel::CutLineText() const {
  Layout();
  return cutLine_ ? FromQString(cutLine_->text()) : std::u16string();
}

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
  const QPointF origin(shift, top);
  if (!cutLine_ && shownLines_ == layout.lineCount()) {
    layout.draw(&painter, origin);
    return;
  }
  // Cut text fills the label to its edges; the antialiased edge of a glyph
  // (a leading "Т") must not show beside it either. Vertically the lines
  // drawn are those that fit, and a label lower than one line keeps its
  // first line whole.
  painter.save();
  painter.setClipRect(QRectF(0, std::min(0.0f, top), Width(), std::max(Height(), top + layoutHeight_)),
                      Qt::IntersectClip);
  const int whole = cutLine_ ? shownLines_ - 1 : shownLines_;
  for (int i = 0; i < whole; ++i) layout.lineAt(i).draw(&painter, origin);
  if (cutLine_) cutLine_->draw(&painter, origin);
  painter.restore();
}

}  // namespace fmx
