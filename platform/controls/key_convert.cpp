#include "platform/controls/key_convert.h"

#include <QKeyEvent>

#include <iterator>

#include "platform/controls/qt_convert.h"

namespace fmx {

namespace {

struct KeyPair {
  int qt;
  TKey key;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vkBack}, {Qt::Key_Tab, vkTab},       {Qt::Key_Backtab, vkTab},
    {Qt::Key_Return, vkReturn},  {Qt::Key_Enter, vkReturn},  {Qt::Key_Escape, vkEscape},
    {Qt::Key_Space, vkSpace},    {Qt::Key_PageUp, vkPrior},  {Qt::Key_PageDown, vkNext},
    {Qt::Key_End, vkEnd},        {Qt::Key_Home, vkHome},     {Qt::Key_Left, vkLeft},
    {Qt::Key_Up, vkUp},          {Qt::Key_Right, vkRight},   {Qt::Key_Down, vkDown},
    {Qt::Key_Delete, vkDelete},
};

}  // namespace

TKeyInfo ToKeyInfo(const QKeyEvent& event) {
  TKeyInfo info;
  const int qt = event.key();
  for (const KeyPair& pair : kKeys) {
    if (pair.qt == qt) info.Key = pair.key;
  }
  if ((qt >= Qt::Key_A && qt <= Qt::Key_Z) || (qt >= Qt::Key_0 && qt <= Qt::Key_9)) {
    info.Key = TKey(qt);  // Qt's codes for these are their upper-case characters
  } else if (qt >= Qt::Key_F1 && qt <= Qt::Key_F24) {
    info.Key = TKey(vkF1 + (qt - Qt::Key_F1));
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::ShiftModifier || qt == Qt::Key_Backtab) info.Shift |= ssShift;
  if (modifiers & Qt::ControlModifier) info.Shift |= ssCtrl;
  if (modifiers & Qt::AltModifier) info.Shift |= ssAlt;
  info.KeyChar = FromQString(event.text());
  info.Repeat = event.isAutoRepeat();
  return info;
}

int ToQtKey(TKey key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
  if (key >= vkF1 && key < vkF1 + 24) return Qt::Key_F1 + (key - vkF1);
  for (const KeyPair& pair : kKeys) {
    if (pair.key == key) return pair.qt;
  }
  return 0;
}

Qt::KeyboardModifiers ToQtModifiers(unsigned shift) {
  Qt::KeyboardModifiers modifiers;
  if (shift & ssShift) modifiers |= Qt::ShiftModifier;
  if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
  if (shift & ssAlt) modifiers |= Qt::AltModifier;
  return modifiers;
}

}  // namespace fmx
