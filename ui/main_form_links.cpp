#include "platform/controls/message_box.h"
#include "platform/controls/shell.h"
#include "ui/main_form.h"
#include "ui/palette.h"
#include "texts/texts.h"

using namespace GameData;

void TfrmMain::OpenURL(std::u16string_view AURL) {
  // The catalog is data: it must not be able to start programs, so only
  // web addresses reach the shell. Anything else is like an address the
  // shell cannot open: nothing happens.
  if (IsWebAddress(AURL)) fmx::ShellOpen(std::u16string(AURL));
}

void TfrmMain::OpenSelectedAddress(platform::SharedText TGameInfo::*AField,
                                   std::u16string_view ANotice) {
  const TGameInfo* selected = SelectedGame();
  if (!selected) {
    fmx::ShowMessage(std::u16string(texts::kSelectGameFirst));
    return;
  }
  const platform::SharedText address = selected->*AField;
  if (address.empty()) {
    fmx::ShowMessage(std::u16string(ANotice));
  } else {
    OpenURL(address);
  }
}

void TfrmMain::btnPlayClick(TObject*) { OpenSelectedAddress(&TGameInfo::URL, texts::kNoURL); }

void TfrmMain::btnAPKClick(TObject*) { OpenSelectedAddress(&TGameInfo::APKUrl, texts::kNoAPK); }

void TfrmMain::btnTelegramClick(TObject*) { OpenURL(std::u16string(texts::kTelegramChannelURL)); }

void TfrmMain::lblFooterLinkClick(TObject*) { OpenURL(std::u16string(texts::kWebSiteURL)); }

void TfrmMain::ButtonMouseEnter(TObject* Sender) {
  auto* button = dynamic_cast<TRectangle*>(Sender);
  if (!button) return;
  if (button == btnTelegram) btnTelegram->SetFillColor(palette::kTelegramHover);
  else if (button == btnPlay) btnPlay->SetFillColor(palette::kPlayHover);
  else if (button == btnAPK) btnAPK->SetFillColor(palette::kAPKHover);
}

void TfrmMain::ButtonMouseLeave(TObject* Sender) {
  auto* button = dynamic_cast<TRectangle*>(Sender);
  if (!button) return;
  if (button == btnTelegram) btnTelegram->SetFillColor(palette::kTelegram);
  else if (button == btnPlay) btnPlay->SetFillColor(palette::kPlay);
  else if (button == btnAPK) btnAPK->SetFillColor(palette::kAPK);
}

void TfrmMain::lblFooterLinkMouseEnter(TObject*) { lblFooterLink->SetFontColor(palette::kLinkHover); }

void TfrmMain::lblFooterLinkMouseLeave(TObject*) { lblFooterLink->SetFontColor(palette::kLink); }
