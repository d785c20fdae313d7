#pragma once

// The record of one game and the three lists the window reads.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shared_text.h"

namespace GameData {

// Texts are shared, not copied, when a record is copied: the visible list
// holds copies of catalog records without holding their text twice.
struct TGameInfo {
  std::int32_t ID = 0;
  platform::SharedText Name;
  platform::SharedText URL;
  platform::SharedText APKUrl;
  platform::SharedText PostImage;
  platform::SharedText QRCodeImage;
  platform::SharedText InfoName;
  platform::SharedText InfoGenre;
  platform::SharedText InfoDeveloper;
  platform::SharedText InfoYear;
  platform::SharedText InfoText1;
  platform::SharedText InfoText2;
  platform::SharedText InfoText3;
  platform::SharedText InfoText4;
  platform::SharedText InfoText5;
  platform::SharedText InfoText6;
  platform::SharedText InfoText7;
  platform::SharedText InfoText8;
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
