#pragma once

// The catalog unit: the record of one game, the three lists the window reads,
// the catalog file, the favourites store and the search filter. Standard C++
// only; files, JSON and lower-casing come from the platform services. The
// conversion rules of games.json's members, which need the JSON document,
// are in catalog_fields.h, for the reader and the checker only.

#include "catalog/addresses.h"
#include "catalog/catalog_file.h"
#include "catalog/data_folder.h"
#include "catalog/favorites.h"
#include "catalog/filter.h"
#include "catalog/game_record.h"
