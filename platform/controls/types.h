#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Value types shared by the controls. Coordinates are logical pixels.
namespace fmx {

using TAlphaColor = std::uint32_t;  // AARRGGBB

namespace TAlphaColors {
inline constexpr TAlphaColor Black = 0xFF000000;
inline constexpr TAlphaColor White = 0xFFFFFFFF;
inline constexpr TAlphaColor Null = 0x00000000;
}  // namespace TAlphaColors

enum class TAlignLayout : std::uint8_t { None, Client, Top };
enum class TBrushKind : std::uint8_t { None, Solid, Bitmap };
enum class TWrapMode : std::uint8_t { TileStretch };
enum class TImageWrapMode { Fit };
enum class TTextAlign : std::uint8_t { Center, Leading, Trailing };
enum class TCursor : std::uint8_t { crDefault, crHandPoint };

struct TPointF {
  float X = 0, Y = 0;
};

struct TRectF {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  bool Contains(TPointF p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool IntersectsWith(const TRectF& r) const {
    return Left < r.Right && r.Left < Right && Top < r.Bottom && r.Top < Bottom;
  }
};

struct TBounds {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TObject {
 public:
  virtual ~TObject() = default;
};

// Every event handler is handed the control that raised the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Keys by their virtual-key codes; letters and digits are their upper-case
// characters.
using TKey = std::uint16_t;
inline constexpr TKey vkBack = 8, vkTab = 9, vkReturn = 13, vkEscape = 27, vkSpace = 32,
                      vkPrior = 33, vkNext = 34, vkEnd = 35, vkHome = 36, vkLeft = 37, vkUp = 38,
                      vkRight = 39, vkDown = 40, vkDelete = 46, vkF1 = 112, vkF3 = 114;

enum TShiftState : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

// One key press. A handler that acts on it sets Handled, and nothing else
// sees the key.
struct TKeyInfo {
  TKey Key = 0;            // 0 for a key known only by its text
  std::u16string KeyChar;  // the text the key types, empty for none
  unsigned Shift = 0;      // TShiftState bits
  bool Repeat = false;     // sent again while the key is held down
  bool Handled = false;
};
using TKeyEvent = std::function<void(TObject* Sender, TKeyInfo& Key)>;

// Makes a text on demand, for the control that asks (a row's description,
// made only when assistive technology reads it).
using TTextEvent = std::function<std::u16string(TObject* Sender)>;

// A pointer drag as the router hands it to a control.
enum class TDragPhase { Press, Move, Release };

// What assistive technology is told a control is. None keeps the control
// out of the accessibility tree (its exposed children are then seen as
// children of its nearest exposed ancestor).
enum class TAccessibleRole : std::uint8_t { None, StaticText, Button, Link, List, ListItem, CheckBox, Graphic, EditableText };
enum class TAccessibleCheck : std::uint8_t { None, Unchecked, Checked };

}  // namespace fmx
