// A catalog file as they are: the catalog's own headers, the services'
// JSON document and the standard library.
#include <vector>

#include "catalog/catalog_fields.h"
#include "catalog/game_data.h"
#include "platform/json_document.h"

std::size_t ProbeGames() { return GameData::Games.size(); }
