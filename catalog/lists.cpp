#include "catalog/game_record.h"

namespace GameData {

std::vector<TGameInfo> Games;
std::vector<TGameInfo> FilteredGames;
std::vector<std::int32_t> FavoriteIDs;

void ClearLists() {
  Games.clear();
  FilteredGames.clear();
  FavoriteIDs.clear();
}

}  // namespace GameData
