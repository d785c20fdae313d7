#include "ui/main_form.h"

using namespace GameData;

void TfrmMain::edtSearchChangeTracking(TObject*) {
  if (const TGameInfo* selected = SelectedGame()) FSelectedGameID = selected->ID;
  // Taken before the rebuild, which selects the first row while no game has
  // been selected at all.
  const std::int32_t followedID = FSelectedGameID;
  FilterGames(edtSearch->Text());
  PopulateGamesList();
  SelectGameAgain(followedID);
}

void TfrmMain::GamePanelClick(TObject* Sender) {
  if (auto* row = dynamic_cast<TRectangle*>(Sender)) SelectGame(row->Tag());
}

void TfrmMain::FavoriteStarClick(TObject* Sender) {
  std::int32_t gameID;
  if (auto* star = dynamic_cast<TRectangle*>(Sender)) {
    gameID = star->Tag();
  } else if (auto* label = dynamic_cast<TLabel*>(Sender)) {
    gameID = label->Tag();
  } else {
    return;
  }
  if (gameID <= 0) return;
  const TGameInfo* selected = SelectedGame();
  const std::int32_t selectedID = selected ? selected->ID : -1;
  ToggleFavorite(gameID);
  SaveFavoritesNow();
  FKeepFavoritesFile = false;  // the file now holds what the user chose
  FilterGames(edtSearch->Text());
  PopulateGamesList();
  SelectGameAgain(selectedID);
}
