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

struct TLabel::LaidOut {
  LaidOut(const QString& text, const QFont& font) : lines(text, font) {}
  QTextLayout lines;
  // The last line drawn, shortened to end in "…", when the text is cut.
  std::unique_ptr<QTextLayout> cutLine;
  int shownLines = 0;
  qsizetype characters = 0;  // of the text laid out
  // Laid out from part of the text, the lines drawn are those of the whole.
  bool complete = false;
  float height = 0;     // of the lines drawn
  float width = 0;      // the label's width and height it was made for
  float boxHeight = 0;
};

TLabel::TLabel(TControl* owner) : TControl(owner) {
  SetSize(120, 17);
  SetHitTest(false);
}

TLabel::~TLabel() = default;

void TLabel::Invalidate() {
  layout_.reset();
  Repaint();
}

void TLabel::SetText(std::u16string_view text) {
  // The same text again is not copied.
  if (text != text_.View()) SetText(platform::SharedText(text));
}

void TLabel::SetText(const platform::SharedText& text) {
  const bool same = text == text_;
  text_ = text;  // also when equal: sharing frees a duplicate
  if (same) return;
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
  if (layout_ && (layout_->width != Width() || layout_->boxHeight != Height())) layout_.reset();
}

float TLabel::EffectiveFontSize() const {
  return (styledSettings_ & ssSize) ? kStyleFontSize : fontSize_;
}

TAlphaColor TLabel::EffectiveFontColor() const {
  return (styledSettings_ & ssFontColor) ? kStyleFontColor : fontColor_;
}

namespace {

// Characters a first try lays out: more than the lines that fit can hold
// in any usual font; a text they do not fill is laid out whole.
std::size_t FirstTry(float width, float height, float fontSize) {
  const float lines = std::max(height, 0.0f) / std::max(fontSize, 1.0f) + 2;
  const float perLine = std::max(width, 0.0f) / 2 + 8;
  return 64 + std::size_t(lines * perLine);
}

}  // namespace

// A label shows only the lines that fit its height, so only as much of a
// long text is laid out as decides them: a part of it, grown until the
// lines shown and the cut last line come out as the whole text would give
// them. A million-character text costs what the few lines shown cost.
const TLabel::LaidOut& TLabel::Layout() const {
  if (layout_) return *layout_;
  const bool styled = styledSettings_ & ssStyle;
  const QFont font = ControlFont(EffectiveFontSize(), !styled && bold_, !styled && underline_);
  const std::u16string_view full = text_.View();
  for (std::size_t take = FirstTry(Width(), Height(), EffectiveFontSize());; take *= 4) {
    std::size_t length = std::min(take, full.size());
    // A character is not split from its second half.
    if (length < full.size() && QChar::isHighSurrogate(full[length - 1])) ++length;
    const bool whole = length == full.size();
    const LaidOut& laid = LayOutText(ToQString(full.substr(0, length)), font, whole);
    if (whole || laid.complete) return laid;
  }
}

const TLabel::LaidOut& TLabel::LayOutText(const QString& text, const QFont& font,
                                          bool whole) const {
  layout_ = std::make_unique<LaidOut>(text, font);
  LaidOut& laid = *layout_;
  laid.characters = text.size();
  QTextLayout& lines = laid.lines;
  QTextOption option(HorizontalAlignment(horzAlign_));
  // A word wider than the label breaks inside the word rather than running
  // out of the label.
  option.setWrapMode(wordWrap_ ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  lines.setTextOption(option);
  lines.setCacheEnabled(true);
  // A label exactly as wide as its measured text must not wrap it because of
  // rounding.
  laid.width = Width();
  laid.boxHeight = Height();
  const qreal lineWidth = Width() + 0.5;
  qreal y = 0;
  lines.beginLayout();
  for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
    line.setLineWidth(lineWidth);
    line.setPosition(QPointF(0, y));
    y += line.height();
    // Only lines that fit the height are drawn, but always the first, so a
    // label lower than one line still shows it.
    if (laid.shownLines == line.lineNumber() && (laid.shownLines == 0 || y <= Height() + 0.01)) {
      ++laid.shownLines;
      laid.height = float(y);
    } else if (!whole) {
      // One line past those shown proves them whole and the text cut.
      break;
    }
  }
  lines.endLayout();
  if (laid.shownLines == 0) return laid;

  const QTextLine last = lines.lineAt(laid.shownLines - 1);
  const bool linesLeft = laid.shownLines < lines.lineCount();
  if (linesLeft || last.naturalTextWidth() > lineWidth) {
    // The last line drawn takes what it can of the rest of the text and
    // ends in an ellipsis.
    const QString rest = text.mid(last.textStart());
    const QString shortened = QFontMetricsF(font).elidedText(rest, Qt::ElideRight, lineWidth);
    // Part of a text decides as the whole would once its lines go on past
    // those shown, or its one line is too wide, and its rest is shortened.
    laid.complete = shortened != rest;
    if (!whole && !laid.complete) return laid;
    laid.cutLine = std::make_unique<QTextLayout>(shortened, font);
    QTextOption oneLine(HorizontalAlignment(horzAlign_));
    oneLine.setWrapMode(QTextOption::NoWrap);
    laid.cutLine->setTextOption(oneLine);
    laid.cutLine->beginLayout();
    QTextLine line = laid.cutLine->createLine();
    if (line.isValid()) {
      line.setLineWidth(lineWidth);
      line.setPosition(last.position());
    }
    laid.cutLine->endLayout();
  }
  return laid;
}

int TLabel::LineCount() const { return Layout().lines.lineCount(); }

int TLabel::ShownLineCount() const { return Layout().shownLines; }

std::size_t TLabel::LaidOutLength() const { return std::size_t(Layout().characters); }

bool TLabel::TextCut() const { return Layout().cutLine != nullptr; }

std::u16string TLabel::CutLineText() const {
  const LaidOut& laid = Layout();
  return laid.cutLine ? FromQString(laid.cutLine->text()) : std::u16string();
}

float TLabel::LinesTop(const LaidOut& laid) const {
  if (vertAlign_ == TTextAlign::Center) return (Height() - laid.height) / 2;
  if (vertAlign_ == TTextAlign::Trailing) return Height() - laid.height;
  return 0;
}

TRectF TLabel::AccessibleCharacterRect(std::size_t index) const {
  // A name set apart from the text is not what the lines show.
  if (HasAccessibleNameOfItsOwn()) return TControl::AccessibleCharacterRect(index);
  const LaidOut& laid = Layout();
  const QTextLayout& layout = laid.lines;
  // Characters past the part laid out, or on lines not drawn, have no place.
  if (text_.empty() || qsizetype(index) >= laid.characters) return {};
  const int position = int(index);
  const QTextLine line = layout.lineForTextPosition(position);
  if (!line.isValid() || line.lineNumber() >= laid.shownLines) return {};
  const float top = LinesTop(laid) + float(line.y());
  float left = float(line.cursorToX(position));
  float right = float(line.cursorToX(position + 1));
  if (right < left) std::swap(left, right);  // right-to-left text
  return {left, top, right, top + float(line.height())};
}

void TLabel::Paint(QPainter& painter) const {
  if (text_.empty()) return;
  const LaidOut& laid = Layout();
  const QTextLayout& layout = laid.lines;
  const float top = LinesTop(laid);
  // The half pixel of rounding slack stays out of the alignment.
  const float shift = horzAlign_ == TTextAlign::Center ? -0.25f
                      : horzAlign_ == TTextAlign::Trailing ? -0.5f
                                                           : 0.0f;
  painter.setPen(ToQColor(EffectiveFontColor()));
  const QPointF origin(shift, top);
  if (!laid.cutLine && laid.shownLines == layout.lineCount()) {
    layout.draw(&painter, origin);
    return;
  }
  // Cut text fills the label to its edges; the antialiased edge of a glyph
  // (a leading "Т") must not show beside it either. Vertically the lines
  // drawn are those that fit, and a label lower than one line keeps its
  // first line whole.
  painter.save();
  painter.setClipRect(QRectF(0, std::min(0.0f, top), Width(), std::max(Height(), top + laid.height)),
                      Qt::IntersectClip);
  const int whole = laid.cutLine ? laid.shownLines - 1 : laid.shownLines;
  for (int i = 0; i < whole; ++i) layout.lineAt(i).draw(&painter, origin);
  if (laid.cutLine) laid.cutLine->draw(&painter, origin);
  painter.restore();
}

}  // namespace fmx
