#pragma once

#include <cstdint>
#include <functional>

// Value types shared by the controls. Coordinates are logical pixels.
namespace fmx {

using TAlphaColor = std::uint32_t;  // AARRGGBB

namespace TAlphaColors {
inline constexpr TAlphaColor Black = 0xFF000000;
inline constexpr TAlphaColor White = 0xFFFFFFFF;
inline constexpr TAlphaColor Null = 0x00000000;
}  // namespace TAlphaColors

enum class TAlignLayout { None, Client, Top };
enum class TBrushKind { None, Solid, Bitmap };
enum class TWrapMode { TileStretch };
enum class TImageWrapMode { Fit };
enum class TTextAlign { Center, Leading, Trailing };
enum class TCursor { crDefault, crHandPoint };

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

}  // namespace fmx
