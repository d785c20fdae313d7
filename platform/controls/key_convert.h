#pragma once

#include <Qt>

#include "platform/controls/types.h"

class QKeyEvent;

namespace fmx {

// Key presses between Qt and the controls' key codes.
TKeyInfo ToKeyInfo(const QKeyEvent& event);
int ToQtKey(TKey key);
Qt::KeyboardModifiers ToQtModifiers(unsigned shift);

}  // namespace fmx
