#include "texts/texts.h"
#include "ui/builders.h"
#include "ui/layout.h"
#include "ui/main_form.h"
#include "ui/palette.h"

void TfrmMain::CreateRightPanel() {
  pnlRight = new TRectangle(this);
  pnlRight->SetParent(this);
  pnlRight->SetPosition(layout::kCatalogLeft, layout::kColumnTop);
  pnlRight->SetSize(layout::kCatalogWidth, layout::ColumnHeight(ClientHeight()));
  pnlRight->SetFillKind(fmx::TBrushKind::None);
  pnlRight->SetStrokeKind(fmx::TBrushKind::None);

  btnTelegram = new TRectangle(this);
  btnTelegram->SetParent(pnlRight);
  btnTelegram->SetPosition(0, 0);
  btnTelegram->SetSize(layout::kCatalogWidth, 45);
  builders::StyleButton(btnTelegram, palette::kTelegram, layout::kPanelRadius, texts::kTelegram);
  btnTelegram->OnClick = Handler<&TfrmMain::btnTelegramClick>();
  btnTelegram->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnTelegram->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();

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
  pnlSearchContainer->SetSize(layout::kCatalogWidth, 38);
  builders::StylePanel(pnlSearchContainer);

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
  pnlGamesList->SetSize(layout::kCatalogWidth, pnlRight->Height() - 157);
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
  sbGames->SetAccessibleName(texts::kGamesList);

  btnPlay = new TRectangle(this);
  btnPlay->SetParent(pnlRight);
  btnPlay->SetPosition(0, pnlRight->Height() - 50);
  btnPlay->SetSize(layout::kCatalogWidth, 50);
  builders::StyleButton(btnPlay, palette::kPlay, layout::kPanelRadius, texts::kPlay);
  btnPlay->OnClick = Handler<&TfrmMain::btnPlayClick>();
  btnPlay->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnPlay->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();

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
