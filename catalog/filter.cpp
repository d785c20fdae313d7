#include <unordered_map>

#include "catalog/filter.h"
#include "catalog/game_record.h"
#include "platform/text_case.h"

namespace GameData {

namespace {

// Whether the lower-cased query occurs in the field, lower-casing the field
// as it goes instead of building a lower-cased copy.
bool ContainsLowered(std::u16string_view field, const std::u16string& loweredQuery,
                     const std::array<char16_t, 0x10000>& lower) {
  const std::size_t n = field.size(), m = loweredQuery.size();
  if (m == 0 || m > n) return false;
  const char16_t first = loweredQuery[0];
  for (std::size_t i = 0; i + m <= n; ++i) {
    if (lower[field[i]] != first) continue;
    std::size_t k = 1;
    while (k < m && lower[field[i + k]] == loweredQuery[k]) ++k;
    if (k == m) return true;
  }
  return false;
}

bool Matches(const TGameInfo& game, const std::u16string& loweredQuery,
             const std::array<char16_t, 0x10000>& lower) {
  return ContainsLowered(game.Name, loweredQuery, lower) ||
         ContainsLowered(game.InfoName, loweredQuery, lower) ||
         ContainsLowered(game.InfoGenre, loweredQuery, lower) ||
         ContainsLowered(game.InfoDeveloper, loweredQuery, lower);
}

// The favourites-first order of a list whose entries carry these IDs: for each
// favourite ID, most recent first, the first entry with that ID; then every
// other entry in list order. Each entry appears exactly once.
std::vector<std::size_t> FavoritesFirstOrder(const std::vector<std::int32_t>& ids) {
  const std::size_t none = ids.size();
  std::vector<std::size_t> order;
  order.reserve(ids.size());
  std::unordered_map<std::int32_t, std::size_t> firstEntry;
  firstEntry.reserve(FavoriteIDs.size());
  for (std::int32_t id : FavoriteIDs) firstEntry.emplace(id, none);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const auto found = firstEntry.find(ids[i]);
    if (found != firstEntry.end() && found->second == none) found->second = i;
  }
  std::vector<bool> placed(ids.size(), false);
  for (auto id = FavoriteIDs.rbegin(); id != FavoriteIDs.rend(); ++id) {
    const std::size_t entry = firstEntry[*id];
    if (entry != none && !placed[entry]) {
      placed[entry] = true;
      order.push_back(entry);
    }
  }
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (!placed[i]) order.push_back(i);
  }
  return order;
}

}  // namespace

void FilterGames(std::u16string_view query) {
  std::vector<std::size_t> picked;
  picked.reserve(Games.size());
  if (query.empty()) {
    for (std::size_t i = 0; i < Games.size(); ++i) picked.push_back(i);
  } else {
    const auto& lower = platform::LowerCaseTable();
    std::u16string loweredQuery(query);
    platform::LowerCaseInPlace(loweredQuery);
    for (std::size_t i = 0; i < Games.size(); ++i) {
      if (Matches(Games[i], loweredQuery, lower)) picked.push_back(i);
    }
  }
  // The favourites-first order is worked out on indices, so each visible
  // record is copied once, straight to its place; a copy shares the
  // record's texts, so a rebuild allocates nothing per game.
  std::vector<std::size_t> order;
  if (!FavoriteIDs.empty()) {
    std::vector<std::int32_t> ids;
    ids.reserve(picked.size());
    for (std::size_t index : picked) ids.push_back(Games[index].ID);
    order = FavoritesFirstOrder(ids);
  }
  FilteredGames.resize(picked.size());
  for (std::size_t k = 0; k < picked.size(); ++k) {
    FilteredGames[k] = Games[picked[order.empty() ? k : order[k]]];
  }
}

void SortFavoritesFirst() {
  if (FavoriteIDs.empty()) return;
  std::vector<std::int32_t> ids;
  ids.reserve(FilteredGames.size());
  for (const TGameInfo& game : FilteredGames) ids.push_back(game.ID);
  const std::vector<std::size_t> order = FavoritesFirstOrder(ids);
  std::vector<TGameInfo> sorted;
  sorted.reserve(FilteredGames.size());
  for (std::size_t entry : order) sorted.push_back(std::move(FilteredGames[entry]));
  FilteredGames = std::move(sorted);
}

}  // namespace GameData
