#pragma once

#include <QFont>
#include <QGuiApplication>

#include <cstdint>

namespace fmx {

// What the toolkit's style gives text whose styled settings are not emptied.
inline constexpr float kStyleFontSize = 12;
inline constexpr std::uint32_t kStyleFontColor = 0xFF000000;

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
