#include "texts/texts.h"
#include "ui/builders.h"
#include "ui/layout.h"
#include "ui/main_form.h"
#include "ui/palette.h"

using builders::StylePanel;
using builders::StyleTitle;

void TfrmMain::CreateLeftPanel() {
  pnlLeft = new TRectangle(this);
  pnlLeft->SetParent(this);
  pnlLeft->SetPosition(layout::kMargin, layout::kColumnTop);
  pnlLeft->SetSize(layout::kDetailsWidth, layout::ColumnHeight(ClientHeight()));
  pnlLeft->SetFillKind(fmx::TBrushKind::None);
  pnlLeft->SetStrokeKind(fmx::TBrushKind::None);

  pnlPoster = new TRectangle(this);
  pnlPoster->SetParent(pnlLeft);
  pnlPoster->SetPosition(0, 0);
  pnlPoster->SetSize(layout::kDetailsWidth, 400);
  StylePanel(pnlPoster);
  pnlPoster->SetAccessibleRole(fmx::TAccessibleRole::Graphic);
  pnlPoster->SetAccessibleName(PictureName(texts::kPosterName, texts::kPosterPlaceholder));

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

  // The caption is not read on its own: it names the button below it.
  lblAPKCaption = new TLabel(this);
  lblAPKCaption->SetParent(pnlAndroid);
  builders::StyleCaption(lblAPKCaption, 78, 45, texts::kAPKCaption);

  btnAPK = new TRectangle(this);
  btnAPK->SetParent(pnlAndroid);
  btnAPK->SetPosition(78, 65);
  btnAPK->SetSize(100, 100);
  builders::StyleButton(btnAPK, palette::kAPK, 12, texts::kAPKCaption);
  btnAPK->SetClipChildren(true);
  btnAPK->SetAccessibleDescription(texts::kAPKDescription);
  btnAPK->OnClick = Handler<&TfrmMain::btnAPKClick>();
  btnAPK->OnMouseEnter = Handler<&TfrmMain::ButtonMouseEnter>();
  btnAPK->OnMouseLeave = Handler<&TfrmMain::ButtonMouseLeave>();

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
  builders::StyleCaption(lblQRCaption, 208, 45, texts::kQRCaption);
  lblQRCaption->SetAccessibleRole(fmx::TAccessibleRole::StaticText);

  pnlQRCode = new TRectangle(this);
  pnlQRCode->SetParent(pnlAndroid);
  pnlQRCode->SetPosition(208, 65);
  pnlQRCode->SetSize(100, 100);
  pnlQRCode->SetFillColor(palette::kQRSquare);
  pnlQRCode->SetStrokeKind(fmx::TBrushKind::None);
  pnlQRCode->SetXRadius(layout::kPanelRadius);
  pnlQRCode->SetYRadius(layout::kPanelRadius);
  pnlQRCode->SetClipChildren(true);
  pnlQRCode->SetAccessibleRole(fmx::TAccessibleRole::Graphic);
  pnlQRCode->SetAccessibleName(texts::kQRCodeMissing);

  imgQRCode = new TImage(this);
  imgQRCode->SetParent(pnlQRCode);
  imgQRCode->SetAlign(fmx::TAlignLayout::Client);
  imgQRCode->SetMargins(8, 8, 8, 8);
  imgQRCode->SetWrapMode(fmx::TImageWrapMode::Fit);
  // A QR code must keep its modules sharp to stay readable by a camera.
  imgQRCode->SetSharpPixels(true);
}
