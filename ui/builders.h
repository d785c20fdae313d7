#pragma once

#include <string_view>

#include "platform/controls/label.h"
#include "platform/controls/rectangle.h"
#include "platform/controls/types.h"

// Looks that several areas of the window share.
namespace builders {

// A dark panel with the light border and rounded corners.
void StylePanel(fmx::TRectangle* panel);

// The title band across the top of a panel.
void StyleTitle(fmx::TLabel* label, std::u16string_view text);

// A small caption above a square of the Android panel, centred on it.
void StyleCaption(fmx::TLabel* label, float x, float y, std::u16string_view text);

// A coloured button with rounded corners and the hand cursor, which takes
// the keyboard focus and is a push button named `name` to assistive
// technology. Its colour under the pointer is the window's hover handler's.
void StyleButton(fmx::TRectangle* button, fmx::TAlphaColor color, float radius,
                 std::u16string_view name);

}  // namespace builders
