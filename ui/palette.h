#pragma once

#include "platform/controls/types.h"

// The window's colours, AARRGGBB.
namespace palette {

inline constexpr fmx::TAlphaColor kWindow = 0xFF1E1E1E;
inline constexpr fmx::TAlphaColor kStoredWindow = 0xFF1A1A1A;
inline constexpr fmx::TAlphaColor kPanel = 0xFF2D2D2D;
inline constexpr fmx::TAlphaColor kPanelBorder = 0xFF404040;
inline constexpr fmx::TAlphaColor kRow = 0xFF2D2D2D;
inline constexpr fmx::TAlphaColor kRowHover = 0xFF3D3D3D;
inline constexpr fmx::TAlphaColor kRowSelected = 0x40008BCC;
inline constexpr fmx::TAlphaColor kBadge = 0xFF404040;
inline constexpr fmx::TAlphaColor kTelegram = 0xFF2AABEE;
inline constexpr fmx::TAlphaColor kTelegramHover = 0xFF3ABFF8;
inline constexpr fmx::TAlphaColor kPlay = 0xFF4CAF50;
inline constexpr fmx::TAlphaColor kPlayHover = 0xFF5CBF60;
inline constexpr fmx::TAlphaColor kAPK = 0xFF8BC34A;
inline constexpr fmx::TAlphaColor kAPKHover = 0xFF9BD25A;
inline constexpr fmx::TAlphaColor kLink = 0xFF2AABEE;
inline constexpr fmx::TAlphaColor kLinkHover = 0xFF3ABFF8;
inline constexpr fmx::TAlphaColor kStarFavorite = 0xFFFFC107;
inline constexpr fmx::TAlphaColor kStarPlain = 0xFF666666;
inline constexpr fmx::TAlphaColor kText = 0xFFFFFFFF;
inline constexpr fmx::TAlphaColor kQRSquare = 0xFFFFFFFF;

}  // namespace palette
