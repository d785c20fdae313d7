#include "platform/controls/text_layout.h"
#include "texts/texts.h"
#include "ui/builders.h"
#include "ui/layout.h"
#include "ui/main_form.h"
#include "ui/palette.h"

void TfrmMain::CreateFooter() {
  float noticeWidth = 0, linkWidth = 0;
  {
    // The link must follow the notice's trailing space on the same line, so
    // both labels are exactly as wide as their measured text.
    // Freed on every way out of this block.
    fmx::TTextLayout layout;
    layout.BeginUpdate();
    layout.SetFontSize(12);
    layout.SetMaxSize(10000, 100);
    layout.SetText(std::u16string(texts::kFooterNotice));
    layout.EndUpdate();
    noticeWidth = layout.TextWidth();
    layout.BeginUpdate();
    layout.SetText(std::u16string(texts::kFooterLink));
    layout.EndUpdate();
    linkWidth = layout.TextWidth();
  }

  pnlFooter = new TRectangle(this);
  pnlFooter->SetParent(this);
  pnlFooter->SetX(layout::kMargin);
  pnlFooter->SetY(layout::FooterTop(ClientHeight()));
  pnlFooter->SetWidth(layout::kFooterWidth);
  pnlFooter->SetHeight(layout::kFooterHeight);
  builders::StylePanel(pnlFooter);
  pnlFooter->SetFillKind(fmx::TBrushKind::Solid);

  auto footerLabel = [this](float x, float width, fmx::TTextAlign align) {
    auto* label = new TLabel(this);
    label->SetParent(pnlFooter);
    label->SetX(x);
    label->SetY(0);
    label->SetWidth(width);
    label->SetHeight(layout::kFooterHeight);
    label->SetStyledSettings(0);
    label->SetFontColor(palette::kText);
    label->SetFontSize(12);
    label->SetHorzAlign(align);
    label->SetVertAlign(fmx::TTextAlign::Center);
    return label;
  };

  lblFooterLeft = footerLabel(15, noticeWidth, fmx::TTextAlign::Leading);
  lblFooterLeft->SetText(std::u16string(texts::kFooterNotice));
  lblFooterLeft->SetAccessibleRole(fmx::TAccessibleRole::StaticText);

  lblFooterLink = footerLabel(15 + noticeWidth, linkWidth, fmx::TTextAlign::Leading);
  lblFooterLink->SetFontColor(palette::kLink);
  lblFooterLink->SetFontUnderline(true);
  lblFooterLink->SetText(std::u16string(texts::kFooterLink));
  lblFooterLink->SetCursor(fmx::TCursor::crHandPoint);
  lblFooterLink->SetHitTest(true);
  lblFooterLink->OnClick = Handler<&TfrmMain::lblFooterLinkClick>();
  lblFooterLink->OnMouseEnter = Handler<&TfrmMain::lblFooterLinkMouseEnter>();
  lblFooterLink->OnMouseLeave = Handler<&TfrmMain::lblFooterLinkMouseLeave>();
  lblFooterLink->SetCanFocus(true);
  lblFooterLink->SetAccessibleRole(fmx::TAccessibleRole::Link);

  lblFooterLeft2 = footerLabel(15 + noticeWidth + linkWidth, 200, fmx::TTextAlign::Leading);

  lblFooterRight = footerLabel(458.5f, 443.5f, fmx::TTextAlign::Trailing);
  lblFooterRight->SetText(std::u16string(texts::kVersion));
  lblFooterRight->SetAccessibleRole(fmx::TAccessibleRole::StaticText);
}
