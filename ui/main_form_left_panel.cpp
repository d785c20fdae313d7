#include "ui/main_form.h"
#include "ui/palette.h"
#include "texts/texts.h"

namespace {

// A dark panel with the light border and rounded corners.
void StylePanel(fmx::TRectangle* panel) {
  panel->SetFillColor(palette::kPanel);
  panel->SetStrokeColor(palette::kPanelBorder);
  panel->SetStrokeKind(fmx::TBrushKind::Solid);
  panel->SetStrokeThickness(1);
  panel->SetXRadius(8);
  panel->SetYRadius(8);
}

// The title band of a panel.
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

}  // namespace

void TfrmMain::CreateLeftPanel() {
  const int columnHeight = ClientHeight() - 40 - 50 - 15;

  pnlLeft = new TRectangle(this);
  pnlLeft->SetParent(this);
  pnlLeft->SetPosition(15, 20);
  pnlLeft->SetSize(672, float(columnHeight));
  pnlLeft->SetFillKind(fmx::TBrushKind::None);
  pnlLeft->SetStrokeKind(fmx::TBrushKind::None);

  pnlPoster = new TRectangle(this);
  pnlPoster->SetParent(pnlLeft);
  pnlPoster->SetPosition(0, 0);
  pnlPoster->SetSize(672, 400);
  StylePanel(pnlPoster);
  pnlPoster->SetAccessibleRole(fmx::TAccessibleRole::Graphic);
  pnlPoster->SetAccessibleName(std::u16string(texts::kPosterPlaceholder));

  lblPosterText = new TLabel(this);
  lblPosterText->SetParent(pnlPoster);
  lblPosterText->SetAlign(fmx::TAlignLayout::Client);
  lblPosterText->SetStyledSettings(0);
  lblPosterText->SetFontSize(48);
  lblPosterText->SetFontBold(true);
  lblPosterText->SetFontColor(palette::kText);
  lblPosterText->SetHorzAlign(fmx::TTextAlign::Center);
  lblPosterText->SetVertAlign(fmx::TTextAlign::Center);
  lblPosterText->SetText(std::u16string(texts::kPosterPlaceholder));

  pnlInfo = new TRectangle(this);
  pnlInfo->SetParent(pnlLeft);
  pnlInfo->SetPosition(0, 415);
  pnlInfo->SetSize(270, pnlLeft->Height() - 415);
  StylePanel(pnlInfo);

  lblInfoTitle = new TLabel(this);
  lblInfoTitle->SetParent(pnlInfo);
  StyleTitle(lblInfoTitle, texts::kInfoTitle);

  TLabel** rows[] = {&lblRow1Left, &lblRow1Right, &lblRow2Left, &lblRow2Right,
                     &lblRow3Left, &lblRow3Right, &lblRow4Left, &lblRow4Right,
                     &lblRow5Left, &lblRow5Right, &lblRow6Left, &lblRow6Right};
  for (int i = 0; i < 12; ++i) {
    auto* label = new TLabel(this);
    label->SetParent(pnlInfo);
    label->SetPosition(i % 2 == 0 ? 25.0f : 145.0f, 42.0f + 22.0f * float(i / 2));
    label->SetWidth(100);
    label->SetStyledSettings(0);
    label->SetFontColor(palette::kText);
    label->SetText(std::u16string(texts::kInfoPlaceholder));
    label->SetAccessibleRole(fmx::TAccessibleRole::StaticText);
    *rows[i] = label;
  }

  pnlAndroid = new TRectangle(this);
  pnlAndroid->SetParent(pnlLeft);
  pnlAndroid->SetPosition(285, 415);
  pnlAndroid->SetSize(387, pnlLeft->Height() - 415);
  StylePanel(pnlAndroid);

  lblAndroidTitle = new TLabel(this);
  lblAndroidTitle->SetParent(pnlAndroid);
  StyleTitle(lblAndroidTitle, texts::kAndroidTitle);

  lblAPKCaption = new TLabel(this);
  lblAPKCaption->SetParent(pnlAndroid);
  lblAPKCaption->SetPosition(78, 45);
  lblAPKCaption->SetWidth(100);
  lblAPKCaption->SetStyledSettings(0);
  lblAPKCaption->SetFontColor(palette::kText);
  lblAPKCaption->SetHorzAlign(fmx::TTextAlign::Center);
  lblAPKCaption->SetText(std::u16string(texts::kAPKCaption));

  btnAPK = new TRectangle(this);
  btnAPK->SetParent(pnlAndroid);
  btnAPK->SetPosition(78, 65);
  btnAPK->SetSize(100, 100);
  btnAPK->SetFillColor(palette::kAPK);
  btnAPK->SetStrokeKind(fmx::TBrushKind::None);
  btnAPK->SetXRadius(12);
  btnAPK->SetYRadius(12);
  btnAPK->SetClipChildren(true);
  btnAPK->SetCursor(fmx::TCursor::crHandPoint);
  btnAPK->OnClick = Handler<&TfrmMain::btnAPKClick>();
  btnAPK->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnAPK->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();
  btnAPK->SetCanFocus(true);
  // Named after the caption above it, which is what the button is to a reader.
  btnAPK->SetAccessibleRole(fmx::TAccessibleRole::Button);
  btnAPK->SetAccessibleName(std::u16string(texts::kAPKCaption));

  imgAPK = new TImage(this);
  imgAPK->SetParent(btnAPK);
  imgAPK->SetAlign(fmx::TAlignLayout::Client);
  imgAPK->SetWrapMode(fmx::TImageWrapMode::Fit);
  imgAPK->SetMargins(15, 15, 15, 15);
  imgAPK->SetHitTest(false);
  // A missing or broken icon leaves a plain green button.
  try {
    const auto icon = GameData::FindAssetFile(GameData::GetAppDir(), GameData::kIconFolder,
                                              GameData::kAPKIconFile);
    if (icon.Found()) imgAPK->LoadFromFile(icon.Path);
  } catch (const std::exception&) {
  }

  lblQRCaption = new TLabel(this);
  lblQRCaption->SetParent(pnlAndroid);
  lblQRCaption->SetPosition(208, 45);
  lblQRCaption->SetWidth(100);
  lblQRCaption->SetStyledSettings(0);
  lblQRCaption->SetFontColor(palette::kText);
  lblQRCaption->SetHorzAlign(fmx::TTextAlign::Center);
  lblQRCaption->SetText(std::u16string(texts::kQRCaption));
  lblQRCaption->SetAccessibleRole(fmx::TAccessibleRole::StaticText);

  pnlQRCode = new TRectangle(this);
  pnlQRCode->SetParent(pnlAndroid);
  pnlQRCode->SetPosition(208, 65);
  pnlQRCode->SetSize(100, 100);
  pnlQRCode->SetFillColor(palette::kQRSquare);
  pnlQRCode->SetStrokeKind(fmx::TBrushKind::None);
  pnlQRCode->SetXRadius(8);
  pnlQRCode->SetYRadius(8);
  pnlQRCode->SetClipChildren(true);
  pnlQRCode->SetAccessibleRole(fmx::TAccessibleRole::Graphic);
  pnlQRCode->SetAccessibleName(std::u16string(texts::kPosterPlaceholder));

  imgQRCode = new TImage(this);
  imgQRCode->SetParent(pnlQRCode);
  imgQRCode->SetAlign(fmx::TAlignLayout::Client);
  imgQRCode->SetMargins(8, 8, 8, 8);
  imgQRCode->SetWrapMode(fmx::TImageWrapMode::Fit);
  // A QR code must keep its modules sharp to stay readable by a camera.
  imgQRCode->SetSharpPixels(true);
}
