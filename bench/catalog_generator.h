#pragma once

#include <string>

// A games.json of n games with realistic field lengths: Cyrillic and Latin
// names, genres, developers, years, four to eight free texts, addresses and
// file names. The same n gives the same text. With `poster`, every game
// names that file as its poster.
std::string GenerateCatalog(int games, const std::string& poster = {});
