#include "ui/main_form.h"
#include "ui/palette.h"
#include "texts/texts.h"

void TfrmMain::CreateRightPanel() {
  const int columnHeight = ClientHeight() - 40 - 50 - 15;

  pnlRight = new TRectangle(this);
  pnlRight->SetParent(this);
  pnlRight->SetPosition(702, 20);
  pnlRight->SetSize(230, float(columnHeight));
  pnlRight->SetFillKind(fmx::TBrushKind::None);
  pnlRight->SetStrokeKind(fmx::TBrushKind::None);

  btnTelegram = new TRectangle(this);
  btnTelegram->SetParent(pnlRight);
  btnTelegram->SetPosition(0, 0);
  btnTelegram->SetSize(230, 45);
  btnTelegram->SetFillColor(palette::kTelegram);
  btnTelegram->SetStrokeKind(fmx::TBrushKind::None);
  btnTelegram->SetXRadius(8);
  btnTelegram->SetYRadius(8);
  btnTelegram->SetCursor(fmx::TCursor::crHandPoint);
  btnTelegram->OnClick = Handler<&TfrmMain::btnTelegramClick>();
  btnTelegram->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnTelegram->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();
  btnTelegram->SetCanFocus(true);
  btnTelegram->SetAccessibleRole(fmx::TAccessibleRole::Button);
  btnTelegram->SetAccessibleName(std::u16string(texts::kTelegram));

  imgTelegramIcon = new TImage(this);
  imgTelegramIcon->SetParent(btnTelegram);
  imgTelegramIcon->SetPosition(38, 10);
  imgTelegramIcon->SetSize(24, 24);
  imgTelegramIcon->SetWrapMode(fmx::TImageWrapMode::Fit);
  imgTelegramIcon->SetHitTest(false);
  // A missing or broken icon leaves the caption alone on the button.
  try {
    const auto icon = GameData::FindAssetFile(GameData::GetAppDir(), GameData::kIconFolder,
                                              GameData::kTelegramIconFile);
    if (icon.Found()) imgTelegramIcon->LoadFromFile(icon.Path);
  } catch (const std::exception&) {
  }

  lblTelegram = new TLabel(this);
  lblTelegram->SetParent(btnTelegram);
  lblTelegram->SetPosition(70, 0);
  lblTelegram->SetSize(123, 45);
  lblTelegram->SetStyledSettings(0);
  lblTelegram->SetText(std::u16string(texts::kTelegram));
  lblTelegram->SetFontSize(14);
  lblTelegram->SetFontColor(palette::kText);
  lblTelegram->SetHorzAlign(fmx::TTextAlign::Leading);
  lblTelegram->SetVertAlign(fmx::TTextAlign::Center);
  lblTelegram->SetHitTest(false);

  pnlSearchContainer = new TRectangle(this);
  pnlSearchContainer->SetParent(pnlRight);
  pnlSearchContainer->SetPosition(0, 53);
  pnlSearchContainer->SetSize(230, 38);
  pnlSearchContainer->SetFillColor(palette::kPanel);
  pnlSearchContainer->SetStrokeColor(palette::kPanelBorder);
  pnlSearchContainer->SetStrokeKind(fmx::TBrushKind::Solid);
  pnlSearchContainer->SetStrokeThickness(1);
  pnlSearchContainer->SetXRadius(8);
  pnlSearchContainer->SetYRadius(8);

  edtSearch = new TEdit(this);
  edtSearch->SetParent(pnlSearchContainer);
  edtSearch->SetAlign(fmx::TAlignLayout::Client);
  edtSearch->SetMargins(12, 4, 12, 4);
  edtSearch->SetStyledSettings(0);
  edtSearch->SetTextPrompt(std::u16string(texts::kSearchPrompt));
  edtSearch->SetFontColor(palette::kText);
  edtSearch->SetFontSize(13);
  edtSearch->SetStyleLookup(u"transparentedit");
  edtSearch->OnChangeTracking = Handler<&TfrmMain::edtSearchChangeTracking>();
  edtSearch->SetAccessibleName(std::u16string(texts::kSearchPrompt));
  edtSearch->SetFocusRingOnParent(true);  // the box the user sees

  pnlGamesList = new TRectangle(this);
  pnlGamesList->SetParent(pnlRight);
  pnlGamesList->SetPosition(0, 99);
  pnlGamesList->SetSize(230, pnlRight->Height() - 157);
  pnlGamesList->SetFillKind(fmx::TBrushKind::None);
  pnlGamesList->SetStrokeKind(fmx::TBrushKind::None);

  sbGames = new TVertScrollBox(this);
  sbGames->SetParent(pnlGamesList);
  sbGames->SetAlign(fmx::TAlignLayout::Client);
  sbGames->SetShowScrollBars(false);
  sbGames->SetAnimation(true);
  sbGames->SetBoundsAnimation(true);
  sbGames->SetVerticalTouchTracking(true);
  // The list takes the focus as one control; its rows are its items.
  sbGames->SetCanFocus(true);
  sbGames->SetAccessibleRole(fmx::TAccessibleRole::List);

  btnPlay = new TRectangle(this);
  btnPlay->SetParent(pnlRight);
  btnPlay->SetPosition(0, pnlRight->Height() - 50);
  btnPlay->SetSize(230, 50);
  btnPlay->SetFillColor(palette::kPlay);
  btnPlay->SetStrokeKind(fmx::TBrushKind::None);
  btnPlay->SetXRadius(8);
  btnPlay->SetYRadius(8);
  btnPlay->SetCursor(fmx::TCursor::crHandPoint);
  btnPlay->OnClick = Handler<&TfrmMain::btnPlayClick>();
  btnPlay->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnPlay->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();
  btnPlay->SetCanFocus(true);
  btnPlay->SetAccessibleRole(fmx::TAccessibleRole::Button);
  btnPlay->SetAccessibleName(std::u16string(texts::kPlay));

  lblPlay = new TLabel(this);
  lblPlay->SetParent(btnPlay);
  lblPlay->SetAlign(fmx::TAlignLayout::Client);
  lblPlay->SetStyledSettings(0);
  lblPlay->SetText(std::u16string(texts::kPlay));
  lblPlay->SetFontSize(16);
  lblPlay->SetFontBold(true);
  lblPlay->SetFontColor(palette::kText);
  lblPlay->SetHorzAlign(fmx::TTextAlign::Center);
  lblPlay->SetVertAlign(fmx::TTextAlign::Center);
  lblPlay->SetHitTest(false);
}
