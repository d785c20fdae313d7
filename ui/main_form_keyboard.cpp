#include <algorithm>

#include "ui/layout.h"
#include "ui/main_form.h"

using namespace GameData;

namespace {

bool Plain(const fmx::TKeyInfo& key) { return (key.Shift & (fmx::ssCtrl | fmx::ssAlt)) == 0; }

// A key that types something visible (not a control character).
bool Printable(const fmx::TKeyInfo& key) {
  return Plain(key) && !key.KeyChar.empty() && key.KeyChar[0] >= 0x20 && key.KeyChar[0] != 0x7F;
}

}  // namespace

// The order Tab follows the task: find, pick, play, then the rest.
void TfrmMain::SetUpKeyboard() {
  OnKeyDown = KeyHandler<&TfrmMain::FormKeyDown>();
  edtSearch->OnKeyDown = KeyHandler<&TfrmMain::edtSearchKeyDown>();
  sbGames->OnKeyDown = KeyHandler<&TfrmMain::sbGamesKeyDown>();
  SetTabOrder({edtSearch, sbGames, btnPlay, btnAPK, btnTelegram, lblFooterLink});
}

void TfrmMain::FormKeyDown(TObject*, fmx::TKeyInfo& Key) {
  const bool find = (Key.Key == 'F' && Key.Shift == fmx::ssCtrl) || (Key.Key == fmx::vkF3 && Key.Shift == 0);
  if (!find) return;
  Key.Handled = true;
  edtSearch->SetFocus();
  edtSearch->SelectAll();
}

void TfrmMain::edtSearchKeyDown(TObject*, fmx::TKeyInfo& Key) {
  if (!Plain(Key) || (Key.Shift & fmx::ssShift)) return;
  if (Key.Key == fmx::vkEscape) {
    Key.Handled = true;
    // Clearing runs the search handler, which lists everything again.
    if (!edtSearch->Text().empty()) {
      FSearchClearedByKey = true;
      edtSearch->SetText(u"");
    } else {
      sbGames->SetFocus();
    }
  } else if (Key.Key == fmx::vkDown) {
    Key.Handled = true;
    sbGames->SetFocus();
  }
}

int TfrmMain::RowsPerPage() const {
  // Whole rows of 50 with gaps of 8 that fit in the list area.
  // The gap below the last row in view need not be in view.
  const float gap = layout::kRowPitch - layout::kRowHeight;
  return std::max(1, int((sbGames->Height() + gap) / layout::kRowPitch));
}

void TfrmMain::SelectAndShowRow(int AIndex) {
  SelectGame(AIndex);
  if (AIndex >= 0 && std::size_t(AIndex) < FGamePanels.size()) {
    sbGames->ScrollIntoView(FGamePanels[std::size_t(AIndex)]);
  }
}

void TfrmMain::sbGamesKeyDown(TObject*, fmx::TKeyInfo& Key) {
  const int count = int(FGamePanels.size());
  const bool valid = FSelectedIndex >= 0 && FSelectedIndex < count;
  if (Plain(Key) && !(Key.Shift & fmx::ssShift)) {
    int target = -2;
    switch (Key.Key) {
      case fmx::vkUp: target = valid ? FSelectedIndex - 1 : count - 1; break;
      case fmx::vkDown: target = valid ? FSelectedIndex + 1 : 0; break;
      case fmx::vkPrior: target = valid ? FSelectedIndex - RowsPerPage() : 0; break;
      case fmx::vkNext: target = valid ? FSelectedIndex + RowsPerPage() : 0; break;
      case fmx::vkHome: target = 0; break;
      case fmx::vkEnd: target = count - 1; break;
      default: break;
    }
    if (target != -2) {
      Key.Handled = true;
      if (count > 0) SelectAndShowRow(std::clamp(target, 0, count - 1));
      return;
    }
    if (Key.Key == fmx::vkReturn) {
      Key.Handled = true;
      if (!Key.Repeat) btnPlayClick(btnPlay);
      return;
    }
  }
  const bool toggle = (Key.Key == fmx::vkSpace && Key.Shift == 0) || (Key.Key == 'D' && Key.Shift == fmx::ssCtrl);
  if (toggle) {
    Key.Handled = true;
    if (Key.Repeat || !valid) return;
    // Exactly what a click on the row's star does; the rebuilt list then
    // shows the selected row again.
    StarOf(FGamePanels[std::size_t(FSelectedIndex)])->Click();
    if (FSelectedIndex >= 0 && std::size_t(FSelectedIndex) < FGamePanels.size()) {
      sbGames->ScrollIntoView(FGamePanels[std::size_t(FSelectedIndex)]);
    }
    return;
  }
  if (Printable(Key)) {
    Key.Handled = true;
    edtSearch->SetFocus();
    edtSearch->InsertText(Key.KeyChar);
  }
}
