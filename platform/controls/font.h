#pragma once

#include <QFont>
#include <QGuiApplication>

namespace fmx {

// The toolkit's default family at a pixel size; labels, edits and text
// measurement all use it, so measured widths match what is drawn.
inline QFont ControlFont(float size, bool bold = false, bool underline = false) {
  QFont font = QGuiApplication::font();
  font.setPixelSize(qMax(1, qRound(size)));
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

}  // namespace fmx
