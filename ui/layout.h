#pragma once

// The window's measures, in logical pixels: the client area, the margins
// around the two columns and the footer, the columns' widths and the list's
// row pitch. The areas are built from these names.
namespace layout {

inline constexpr int kClientWidth = 947;
inline constexpr int kClientHeight = 700;

inline constexpr float kMargin = 15;            // left and right of the columns and the footer
inline constexpr float kColumnTop = 20;         // above the columns, and below the footer
inline constexpr float kColumnFooterGap = 15;   // between the columns and the footer
inline constexpr float kFooterHeight = 50;

inline constexpr float kDetailsWidth = 672;     // the details column: poster and panels
inline constexpr float kCatalogWidth = 230;     // the catalog column: buttons, search, list
inline constexpr float kCatalogLeft = kMargin + kDetailsWidth + kMargin;
inline constexpr float kFooterWidth = float(kClientWidth) - 2 * kMargin;

inline constexpr float kRowHeight = 50;         // a row of the game list
inline constexpr float kRowPitch = 58;          // a row and the gap below it

inline constexpr float kPanelRadius = 8;

// Both columns reach from the top margin down to the gap above the footer.
constexpr float ColumnHeight(int clientHeight) {
  return float(clientHeight) - 2 * kColumnTop - kFooterHeight - kColumnFooterGap;
}

// The footer sits at the bottom margin.
constexpr float FooterTop(int clientHeight) {
  return float(clientHeight) - kColumnTop - kFooterHeight;
}

}  // namespace layout
