#include <string>

#include "texts/texts.h"
#include "ui/main_form.h"
#include "ui/number_text.h"

using namespace GameData;

void TfrmMain::edtSearchChangeTracking(TObject*) {
  if (const TGameInfo* selected = SelectedGame()) FSelectedGameID = selected->ID;
  // Taken before the rebuild, which selects the first row while no game has
  // been selected at all.
  const std::int32_t followedID = FSelectedGameID;
  FilterGames(edtSearch->Text());
  PopulateGamesList();
  SelectGameAgain(followedID);
  AnnounceSearchResult();
}

void TfrmMain::AnnounceSearchResult() {
  std::u16string text;
  if (FSearchClearedByKey) {
    FSearchClearedByKey = false;
    text = std::u16string(texts::kSearchCleared) + u". ";
  }
  if (FilteredGames.empty()) {
    text += texts::kNothingFound;
  } else {
    text += texts::kGamesFound;
    text += TNumberText(std::int64_t(FilteredGames.size())).View();
  }
  Announce(text);
}

void TfrmMain::AnnounceFavoriteChange(std::int32_t AGameID) {
  const int index = FindGameIndexByID(AGameID);
  if (index < 0) return;
  const TGameInfo& game = FilteredGames[std::size_t(index)];
  std::u16string text(game.IsFavorite ? texts::kStarred : texts::kUnstarred);
  text += game.Name.View();
  text += u". ";
  text += texts::kPlaceInList;
  text += TNumberText(std::int64_t(index) + 1).View();
  text += texts::kOf;
  text += TNumberText(std::int64_t(FilteredGames.size())).View();
  Announce(text);
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
  AnnounceFavoriteChange(gameID);
}
