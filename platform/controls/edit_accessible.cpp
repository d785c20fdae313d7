#include "platform/controls/edit_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>

#include "platform/controls/accessible_text.h"

namespace fmx {

EditAccessible::EditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* EditAccessible::Edit() const { return static_cast<QLineEdit*>(widget()); }

QString EditAccessible::Shown() const {
  return Edit()->echoMode() == QLineEdit::Normal ? Edit()->text() : QString();
}

int EditAccessible::Offset(int offset) const {
  // -2 stands for the caret.
  return offset == -2 ? Edit()->cursorPosition() : offset;
}

QString EditAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Shown();
  QString text = QAccessibleWidget::text(t);
  if (t == QAccessible::Name && text.isEmpty()) text = Edit()->placeholderText();
  return text;
}

void EditAccessible::setText(QAccessible::Text t, const QString& text) {
  if (t == QAccessible::Value && !Edit()->isReadOnly()) Edit()->setText(text);
  else QAccessibleWidget::setText(t, text);
}

QAccessible::State EditAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !Edit()->isReadOnly();
  state.readOnly = Edit()->isReadOnly();
  state.selectableText = true;
  state.passwordEdit = Edit()->echoMode() != QLineEdit::Normal;
  return state;
}

void* EditAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

void EditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !Edit()->hasSelectedText()) return;
  *startOffset = Edit()->selectionStart();
  *endOffset = *startOffset + int(Edit()->selectedText().size());
}

int EditAccessible::selectionCount() const { return Edit()->hasSelectedText() ? 1 : 0; }

void EditAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void EditAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Edit()->deselect();
}

void EditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  const int length = characterCount();
  startOffset = std::clamp(startOffset, 0, length);
  endOffset = std::clamp(endOffset, 0, length);
  Edit()->setSelection(startOffset, endOffset - startOffset);
}

int EditAccessible::cursorPosition() const { return Edit()->cursorPosition(); }

void EditAccessible::setCursorPosition(int position) { Edit()->setCursorPosition(position); }

QString EditAccessible::text(int startOffset, int endOffset) const {
  return accessible_text::Slice(Shown(), startOffset, endOffset);
}

QString EditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
  const QString shown = Shown();
  return accessible_text::Answer(shown, accessible_text::Before(shown, Offset(offset), boundaryType),
                                 startOffset, endOffset);
}

QString EditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
  const QString shown = Shown();
  return accessible_text::Answer(shown, accessible_text::After(shown, Offset(offset), boundaryType),
                                 startOffset, endOffset);
}

QString EditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                     int* startOffset, int* endOffset) const {
  const QString shown = Shown();
  return accessible_text::Answer(shown, accessible_text::At(shown, Offset(offset), boundaryType),
                                 startOffset, endOffset);
}

int EditAccessible::characterCount() const { return int(Shown().size()); }

QRect EditAccessible::characterRect(int offset) const {
  const QString shown = Shown();
  if (offset < 0 || offset >= shown.size()) return {};
  // Where the caret would stand before and after the character.
  QLineEdit* edit = Edit();
  const int caret = edit->cursorPosition();
  const QFontMetrics metrics(edit->font());
  const QRect box = edit->contentsRect().marginsRemoved(edit->textMargins());
  const int before = metrics.horizontalAdvance(shown.left(offset));
  const int width = metrics.horizontalAdvance(shown.mid(offset, 1));
  // The text scrolls so that the caret stays in sight.
  const int caretX = metrics.horizontalAdvance(shown.left(caret));
  const int scroll = std::max(0, caretX - box.width());
  const QRect local(box.left() + before - scroll, box.top() + (box.height() - metrics.height()) / 2,
                    width, metrics.height());
  return QRect(edit->mapToGlobal(local.topLeft()), local.size());
}

int EditAccessible::offsetAtPoint(const QPoint& point) const {
  QLineEdit* edit = Edit();
  const QPoint local = edit->mapFromGlobal(point);
  if (!edit->rect().contains(local)) return -1;
  return edit->cursorPositionAt(local);
}

void EditAccessible::scrollToSubstring(int startIndex, int) { Edit()->setCursorPosition(startIndex); }

QString EditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  // One run of the edit's own look over the whole text: the same at every offset.
  (void)offset;
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

void EditAccessible::deleteText(int startOffset, int endOffset) {
  if (Edit()->isReadOnly()) return;
  setSelection(0, startOffset, endOffset);
  Edit()->del();
}

void EditAccessible::insertText(int offset, const QString& text) {
  if (Edit()->isReadOnly()) return;
  Edit()->setCursorPosition(offset);
  Edit()->insert(text);
}

void EditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  if (Edit()->isReadOnly()) return;
  setSelection(0, startOffset, endOffset);
  Edit()->insert(text);
}

}  // namespace fmx
