#pragma once

// The search filter and the favourites-first order of the visible list.

#include <string_view>

namespace GameData {

void FilterGames(std::u16string_view query);
void SortFavoritesFirst();

}  // namespace GameData
