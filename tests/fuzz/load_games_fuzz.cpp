// LoadGames and the filter on any games.json: filtering what loaded with no
// query shows every game, and a query never shows more.

#include <cstdint>
#include <cstdlib>

#include "catalog/game_data.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GameData::ClearLists();
  GameData::FavoriteIDs = {1, 2};
  const std::u16string path = fuzzing::Folder().Write("games.json", data, size);
  if (GameData::LoadGames(path)) {
    GameData::FilterGames(u"");
    if (GameData::FilteredGames.size() != GameData::Games.size()) std::abort();
    GameData::FilterGames(u"а");
    if (GameData::FilteredGames.size() > GameData::Games.size()) std::abort();
  }
  GameData::ClearLists();
  return 0;
}
