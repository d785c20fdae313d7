#pragma once

// Reading games.json into the catalog, or the demo catalog instead.

#include <optional>
#include <string>
#include <string_view>

namespace GameData {

// The catalog file's bytes as LoadGames reads them. Nothing for a missing
// file, a folder, an unreadable file or one too large to be a catalog;
// `reason` then says why.
std::optional<std::string> ReadCatalogFile(std::u16string_view path, std::string* reason = nullptr);

// Reads the catalog into Games. False leaves Games untouched, except that a
// non-object element stops the load after Games was sized to the array.
bool LoadGames(std::u16string_view path);
// The eight-record catalog shown when games.json cannot be used.
void LoadDemoGames();
inline constexpr std::u16string_view kDemoHost = u"https://velmar.example";

}  // namespace GameData
