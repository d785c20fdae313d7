// LoadFavorites on any favorites.json: false leaves no favourites; true
// round-trips through SaveFavorites to the same list.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "catalog/game_data.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GameData::ClearLists();
  const std::u16string path = fuzzing::Folder().Write("favorites.json", data, size);
  if (!GameData::LoadFavorites(path)) {
    if (!GameData::FavoriteIDs.empty()) std::abort();
    return 0;
  }
  const std::vector<std::int32_t> loaded = GameData::FavoriteIDs;
  if (!GameData::SaveFavorites(path) || !GameData::LoadFavorites(path) ||
      GameData::FavoriteIDs != loaded) {
    std::abort();
  }
  GameData::ClearLists();
  return 0;
}
