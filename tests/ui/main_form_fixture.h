#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalog/game_data.h"
#include "platform/controls/form.h"
#include "support/colors.h"
#include "support/temp_folder.h"
#include "ui/main_form.h"

// Reads the window's private fields for tests.
class MainFormTestAccess {
 public:
  explicit MainFormTestAccess(TfrmMain& form) : f(form) {}
  auto* pnlLeft() const { return f.pnlLeft; }
  auto* pnlPoster() const { return f.pnlPoster; }
  auto* lblPosterText() const { return f.lblPosterText; }
  auto* pnlInfo() const { return f.pnlInfo; }
  auto* lblInfoTitle() const { return f.lblInfoTitle; }
  auto* lblRow1Left() const { return f.lblRow1Left; }
  auto* lblRow1Right() const { return f.lblRow1Right; }
  auto* lblRow2Left() const { return f.lblRow2Left; }
  auto* lblRow2Right() const { return f.lblRow2Right; }
  auto* lblRow3Left() const { return f.lblRow3Left; }
  auto* lblRow3Right() const { return f.lblRow3Right; }
  auto* lblRow4Left() const { return f.lblRow4Left; }
  auto* lblRow4Right() const { return f.lblRow4Right; }
  auto* lblRow5Left() const { return f.lblRow5Left; }
  auto* lblRow5Right() const { return f.lblRow5Right; }
  auto* lblRow6Left() const { return f.lblRow6Left; }
  auto* lblRow6Right() const { return f.lblRow6Right; }
  auto* pnlAndroid() const { return f.pnlAndroid; }
  auto* lblAndroidTitle() const { return f.lblAndroidTitle; }
  auto* lblAPKCaption() const { return f.lblAPKCaption; }
  auto* btnAPK() const { return f.btnAPK; }
  auto* imgAPK() const { return f.imgAPK; }
  auto* lblQRCaption() const { return f.lblQRCaption; }
  auto* pnlQRCode() const { return f.pnlQRCode; }
  auto* imgQRCode() const { return f.imgQRCode; }
  auto* pnlRight() const { return f.pnlRight; }
  auto* btnTelegram() const { return f.btnTelegram; }
  auto* imgTelegramIcon() const { return f.imgTelegramIcon; }
  auto* lblTelegram() const { return f.lblTelegram; }
  auto* edtSearch() const { return f.edtSearch; }
  auto* pnlGamesList() const { return f.pnlGamesList; }
  auto* sbGames() const { return f.sbGames; }
  auto* btnPlay() const { return f.btnPlay; }
  auto* lblPlay() const { return f.lblPlay; }
  auto* pnlSearchContainer() const { return f.pnlSearchContainer; }
  auto* pnlFooter() const { return f.pnlFooter; }
  auto* lblFooterLeft() const { return f.lblFooterLeft; }
  auto* lblFooterLink() const { return f.lblFooterLink; }
  auto* lblFooterLeft2() const { return f.lblFooterLeft2; }
  auto* lblFooterRight() const { return f.lblFooterRight; }
  std::int32_t SelectedIndex() const { return f.FSelectedIndex; }
  std::int32_t SelectedGameID() const { return f.FSelectedGameID; }
  const std::vector<fmx::TRectangle*>& GamePanels() const { return f.FGamePanels; }
  // The twelve information labels, row by row, left before right.
  std::vector<std::u16string> InfoTexts() const {
    std::vector<std::u16string> texts;
    for (auto* label : {f.lblRow1Left, f.lblRow1Right, f.lblRow2Left, f.lblRow2Right,
                        f.lblRow3Left, f.lblRow3Right, f.lblRow4Left, f.lblRow4Right,
                        f.lblRow5Left, f.lblRow5Right, f.lblRow6Left, f.lblRow6Right}) {
      texts.emplace_back(label->Text());
    }
    return texts;
  }
  void SelectGame(int index) { f.SelectGame(index); }

 private:
  TfrmMain& f;
};

using testing_support::ColorNear;

// Colours of the fixture's pictures.
inline constexpr std::uint32_t kAlphaPoster = 0xFF3366CC;
inline constexpr std::uint32_t kBetaPoster = 0xFFCC6633;
inline constexpr std::uint32_t kAlphaQR = 0xFF101010;

// The real window built on a fixture data folder (tests/fixtures/catalog
// plus pictures drawn here) and an empty settings folder; notices and
// addresses handed to the shell are recorded.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the fixture's pictures; tests may remove or spoil some first.
  void WriteFixture();
  void Open();
  void Close();  // frees the window as the application does

  TfrmMain& Form() { return *form_; }
  MainFormTestAccess Access() { return MainFormTestAccess(*form_); }
  std::string FavoritesBytes() const;

  // Window coordinates of row i (its name) and of its star.
  static float RowX() { return 702 + 100; }
  static float RowY(int i) { return 20 + 99 + 58.0f * i + 25; }
  static float StarX() { return 702 + 189 + 18; }

  std::vector<std::int32_t> VisibleIds() const;
  std::u16string RowName(int i);
  std::u16string StarText(int i);
  std::uint32_t RowColor(int i);

  testing_support::TempFolder data_;
  testing_support::TempFolder settings_;
  std::unique_ptr<TfrmMain> form_;
  std::vector<std::u16string> notices_;
  std::vector<std::u16string> opened_;
};
