#pragma once

// The record of one game and the three lists the window reads.

#include <cstdint>
#include <string>
#include <vector>

namespace GameData {

struct TGameInfo {
  std::int32_t ID = 0;
  std::u16string Name;
  std::u16string URL;
  std::u16string APKUrl;
  std::u16string PostImage;
  std::u16string QRCodeImage;
  std::u16string InfoName;
  std::u16string InfoGenre;
  std::u16string InfoDeveloper;
  std::u16string InfoYear;
  std::u16string InfoText1;
  std::u16string InfoText2;
  std::u16string InfoText3;
  std::u16string InfoText4;
  std::u16string InfoText5;
  std::u16string InfoText6;
  std::u16string InfoText7;
  std::u16string InfoText8;
  bool IsFavorite = false;

  friend bool operator==(const TGameInfo&, const TGameInfo&) = default;
};

// The catalog in file order; after start-up only IsFavorite changes.
extern std::vector<TGameInfo> Games;
// The visible list: copies of catalog records, favourites first.
extern std::vector<TGameInfo> FilteredGames;
// Favourite IDs in the order they were marked, oldest first.
extern std::vector<std::int32_t> FavoriteIDs;

// Empties the three lists, as at program end.
void ClearLists();

}  // namespace GameData
