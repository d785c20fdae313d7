#pragma once

#include <cstddef>

#include "platform/controls/types.h"

class QHelpEvent;
class QWidget;

namespace fmx {

class TControl;
class TLabel;

// The label under a point (the control's local coordinates) whose text is
// cut: the topmost visible control there, hit test on or off, when it is a
// label showing less than its whole text; nullptr otherwise.
TLabel* CutLabelAt(TControl& root, TPointF point);

// Answers the toolkit's tooltip request, which comes once the pointer has
// rested over the window's widget for the usual delay: over a cut label the
// tooltip shows its whole text, or its first kTooltipMaxLength characters
// and "…" when it is longer; anywhere else none shows.
inline constexpr std::size_t kTooltipMaxLength = 4000;
void ShowTooltip(TControl& root, QWidget& host, const QHelpEvent& event);

}  // namespace fmx
