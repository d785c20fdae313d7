#include "ui/builders.h"

#include <string>

#include "ui/layout.h"
#include "ui/palette.h"

namespace builders {

void StylePanel(fmx::TRectangle* panel) {
  panel->SetFillColor(palette::kPanel);
  panel->SetStrokeColor(palette::kPanelBorder);
  panel->SetStrokeKind(fmx::TBrushKind::Solid);
  panel->SetStrokeThickness(1);
  panel->SetXRadius(layout::kPanelRadius);
  panel->SetYRadius(layout::kPanelRadius);
}

void StyleTitle(fmx::TLabel* label, std::u16string_view text) {
  label->SetAlign(fmx::TAlignLayout::Top);
  label->SetHeight(40);
  label->SetStyledSettings(0);
  label->SetFontSize(14);
  label->SetFontBold(true);
  label->SetFontColor(palette::kText);
  label->SetHorzAlign(fmx::TTextAlign::Center);
  label->SetVertAlign(fmx::TTextAlign::Center);
  label->SetText(std::u16string(text));
  label->SetAccessibleRole(fmx::TAccessibleRole::StaticText);
}

void StyleCaption(fmx::TLabel* label, float x, float y, std::u16string_view text) {
  label->SetPosition(x, y);
  label->SetWidth(100);
  label->SetStyledSettings(0);
  label->SetFontColor(palette::kText);
  label->SetHorzAlign(fmx::TTextAlign::Center);
  label->SetText(std::u16string(text));
}

void StyleButton(fmx::TRectangle* button, fmx::TAlphaColor color, float radius,
                 std::u16string_view name) {
  button->SetFillColor(color);
  button->SetStrokeKind(fmx::TBrushKind::None);
  button->SetXRadius(radius);
  button->SetYRadius(radius);
  button->SetCursor(fmx::TCursor::crHandPoint);
  button->SetCanFocus(true);
  button->SetAccessibleRole(fmx::TAccessibleRole::Button);
  button->SetAccessibleName(std::u16string(name));
}

}  // namespace builders
