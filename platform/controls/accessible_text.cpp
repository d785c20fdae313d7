#include "platform/controls/accessible_text.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace fmx::accessible_text {

namespace {

int Clamp(const QString& text, int offset) {
  const int length = int(text.size());
  if (offset == -1 || offset > length) return length;
  return offset < 0 ? 0 : offset;
}

// The line (up to and with its line break) that holds `offset` < length.
TTextRange LineAt(const QString& text, int offset) {
  const int start = offset == 0 ? 0 : int(text.lastIndexOf(u'\n', offset - 1)) + 1;
  const int lineBreak = int(text.indexOf(u'\n', offset));
  return {start, lineBreak < 0 ? int(text.size()) : lineBreak + 1};
}

// The piece between two boundaries of `type` that holds `offset` < length.
// For words only the boundaries where a word or a gap starts or ends count,
// as Qt's own widgets answer. Each loop moves the finder one boundary on,
// and stops at the text's ends, where the finder answers -1.
TTextRange PieceAt(const QString& text, int offset, QTextBoundaryFinder::BoundaryType type) {
  const int length = int(text.size());
  const auto counts = [type](const QTextBoundaryFinder& finder) {
    if (!finder.isAtBoundary()) return false;
    if (type != QTextBoundaryFinder::Word) return true;
    return bool(finder.boundaryReasons() &
                (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem));
  };
  QTextBoundaryFinder finder(type, text);
  finder.setPosition(offset);
  int start = offset;
  while (start > 0 && !counts(finder)) start = int(finder.toPreviousBoundary());
  if (start < 0) start = 0;
  finder.setPosition(offset);
  int end = int(finder.toNextBoundary());
  while (end > 0 && end < length && !counts(finder)) end = int(finder.toNextBoundary());
  if (end <= offset || end > length) end = length;
  return {start, end};
}

}  // namespace

TTextRange At(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
  const int length = int(text.size());
  offset = Clamp(text, offset);
  if (boundary == QAccessible::NoBoundary) return {0, length};
  if (length == 0) return {0, 0};
  if (boundary == QAccessible::CharBoundary) {
    if (offset == length) return {length, length};
    return PieceAt(text, offset, QTextBoundaryFinder::Grapheme);
  }
  // At the end: the last word, sentence or line, which ends there.
  if (offset == length) offset = length - 1;
  switch (boundary) {
    case QAccessible::WordBoundary: return PieceAt(text, offset, QTextBoundaryFinder::Word);
    case QAccessible::SentenceBoundary: return PieceAt(text, offset, QTextBoundaryFinder::Sentence);
    default: return LineAt(text, offset);
  }
}

TTextRange Before(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
  if (boundary == QAccessible::NoBoundary) return {0, 0};
  const TTextRange at = At(text, offset, boundary);
  if (at.start == 0) return {0, 0};
  return At(text, at.start - 1, boundary);
}

TTextRange After(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
  const int length = int(text.size());
  if (boundary == QAccessible::NoBoundary) return {length, length};
  const TTextRange at = At(text, offset, boundary);
  if (at.end >= length) return {length, length};
  return At(text, at.end, boundary);
}

QString Slice(const QString& text, int start, int end) {
  const int length = int(text.size());
  if (end == -1 || end > length) end = length;
  start = std::clamp(start, 0, length);
  return end > start ? text.mid(start, end - start) : QString();
}

QString Answer(const QString& text, TTextRange range, int* startOffset, int* endOffset) {
  if (startOffset) *startOffset = range.start;
  if (endOffset) *endOffset = range.end;
  return text.mid(range.start, range.end - range.start);
}

}  // namespace fmx::accessible_text
