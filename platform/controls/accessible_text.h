#pragma once

#include <QAccessible>
#include <QString>

namespace fmx {

// A part of a text, as offsets in UTF-16 units: [start, end).
struct TTextRange {
  int start = 0;
  int end = 0;
  bool operator==(const TTextRange&) const = default;
};

// What screen readers ask of a text, answered over a plain string with
// QTextBoundaryFinder. Every answer walks the text at most once in each
// direction, whatever the offset: 0, inside, at the end, past the end or on
// an empty text. An offset of -1 means the end of the text, as the
// accessibility bridges use it; any other offset outside the text is taken
// as its nearest end.
namespace accessible_text {

// The unit of `boundary` that holds `offset`. At the end of the text a
// character is the empty range there; a word, sentence or line is the last one.
TTextRange At(const QString& text, int offset, QAccessible::TextBoundaryType boundary);
// The unit before the one at `offset`, or an empty range at the start.
TTextRange Before(const QString& text, int offset, QAccessible::TextBoundaryType boundary);
// The unit after the one at `offset`, or an empty range at the end.
TTextRange After(const QString& text, int offset, QAccessible::TextBoundaryType boundary);

// The characters from `start` to `end` (-1: the end), clamped to the text.
QString Slice(const QString& text, int start, int end);

// Copies `range` of `text` and stores its ends where the interface's callers
// want them.
QString Answer(const QString& text, TTextRange range, int* startOffset, int* endOffset);

}  // namespace accessible_text

}  // namespace fmx
