#include <string>
#include <string_view>

#include "ui/main_form.h"
#include "ui/palette.h"
#include "texts/texts.h"

using namespace GameData;

// A name of millions of characters (a hostile catalog) is not copied whole
// for a picture: the row already names the game in full, and no listener
// waits through more than this.
std::u16string TfrmMain::PictureName(std::u16string_view AWhat, std::u16string_view AWhose) {
  constexpr std::size_t kLongestGameName = 1000;
  std::u16string name(AWhat);
  if (AWhose.size() <= kLongestGameName) return name += AWhose;
  std::size_t cut = kLongestGameName;
  if (AWhose[cut - 1] >= 0xD800 && AWhose[cut - 1] < 0xDC00) --cut;  // not half a character
  name += AWhose.substr(0, cut);
  return name += u"…";
}

void TfrmMain::SelectGame(int AIndex) {
  FSelectedIndex = AIndex;
  const bool valid = AIndex >= 0 && std::size_t(AIndex) < FilteredGames.size();
  FSelectedGameID = valid ? FilteredGames[std::size_t(AIndex)].ID : -1;
  for (std::size_t i = 0; i < FGamePanels.size(); ++i) {
    FGamePanels[i]->SetFillColor(int(i) == AIndex ? palette::kRowSelected : palette::kRow);
    FGamePanels[i]->SetAccessibleSelected(int(i) == AIndex);
  }
  if (valid) ShowGameInfo(FilteredGames[std::size_t(AIndex)]);
}

const TGameInfo* TfrmMain::SelectedGame() const {
  if (FSelectedIndex < 0 || std::size_t(FSelectedIndex) >= FilteredGames.size()) return nullptr;
  return &FilteredGames[std::size_t(FSelectedIndex)];
}

int TfrmMain::FindGameIndexByID(std::int32_t AGameID) const {
  for (std::size_t i = 0; i < FilteredGames.size(); ++i) {
    if (FilteredGames[i].ID == AGameID) return int(i);
  }
  return -1;
}

void TfrmMain::ShowGameInfo(const TGameInfo& AGame) {
  lblRow1Left->SetText(AGame.InfoName);
  lblRow1Right->SetText(AGame.InfoGenre);
  lblRow2Left->SetText(AGame.InfoDeveloper);
  lblRow2Right->SetText(AGame.InfoYear);
  lblRow3Left->SetText(AGame.InfoText1);
  lblRow3Right->SetText(AGame.InfoText2);
  lblRow4Left->SetText(AGame.InfoText3);
  lblRow4Right->SetText(AGame.InfoText4);
  lblRow5Left->SetText(AGame.InfoText5);
  lblRow5Right->SetText(AGame.InfoText6);
  lblRow6Left->SetText(AGame.InfoText7);
  lblRow6Right->SetText(AGame.InfoText8);
  // Screen readers name each picture for what it is and the game it
  // belongs to, or the placeholder that shows instead.
  pnlPoster->SetAccessibleName(PictureName(texts::kPosterName, AGame.Name.View()));
  pnlQRCode->SetAccessibleName(PictureName(texts::kQRCodeName, AGame.Name.View()));
  LoadPoster(AGame.PostImage);
  LoadQRCode(AGame.QRCodeImage);
}

void TfrmMain::LoadPoster(std::u16string_view AFileName) {
  auto showPlaceholder = [this](std::u16string_view text) {
    pnlPoster->SetFillKind(fmx::TBrushKind::Solid);
    pnlPoster->SetFillColor(palette::kPanel);
    lblPosterText->SetText(std::u16string(text));
    lblPosterText->SetVisible(true);
    pnlPoster->SetAccessibleName(PictureName(texts::kPosterName, text));
  };
  if (AFileName.empty()) {
    showPlaceholder(texts::kPosterPlaceholder);
    return;
  }
  const TAssetFile poster = FindAssetFile(GetAppDir(), kPosterFolder, AFileName);
  if (!poster.Found()) {
    showPlaceholder(texts::kPosterPlaceholder);
    return;
  }
  try {
    pnlPoster->SetFillKind(fmx::TBrushKind::Bitmap);
    pnlPoster->SetFillBitmapWrapMode(fmx::TWrapMode::TileStretch);
    pnlPoster->LoadFillBitmap(poster.Path);
    lblPosterText->SetVisible(false);
  } catch (const std::exception&) {
    showPlaceholder(texts::kPosterError);
  }
}

void TfrmMain::LoadQRCode(std::u16string_view AFileName) {
  if (AFileName.empty()) {
    ClearQRCode();
    return;
  }
  const TAssetFile qrCode = FindAssetFile(GetAppDir(), kQRCodeFolder, AFileName);
  if (!qrCode.Found()) {
    ClearQRCode();
    return;
  }
  try {
    imgQRCode->LoadFromFile(qrCode.Path);
  } catch (const std::exception&) {
    ClearQRCode();
  }
}

void TfrmMain::ClearQRCode() {
  imgQRCode->SetBitmapSize(114, 114);
  imgQRCode->ClearBitmap(palette::kQRSquare);
  pnlQRCode->SetAccessibleName(texts::kQRCodeMissing);
}

void TfrmMain::SelectGameAgain(std::int32_t AGameID) {
  // The game followed by its ID, at its new row.
  const int index = AGameID > 0 ? FindGameIndexByID(AGameID) : -1;
  if (index >= 0) {
    SelectGame(index);
    return;
  }
  // Not in the list (or not to be followed): no row is highlighted and Play
  // and APK have nothing to act on, while the details keep showing the game
  // until the user picks another. FSelectedGameID keeps what the search
  // stored in it, so a later list that holds the game selects it again.
  FSelectedIndex = kNoRowShown;
  for (TRectangle* row : FGamePanels) {
    row->SetFillColor(palette::kRow);
    row->SetAccessibleSelected(false);
  }
}
