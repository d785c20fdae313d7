#pragma once

// The conversion rules for the members of games.json, for the catalog
// reader and for tools that explain what it makes of a file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "catalog/game_record.h"
#include "platform/json_document.h"

namespace GameData {

// Texts that recur across a catalog's games (genres, developers, years, the
// short info lines), kept once while a catalog is read so that the records
// holding them share one copy.
class TRecurringTexts {
 public:
  // The text kept before that equals this one, else this one, kept.
  platform::SharedText Get(const platform::SharedText& text);

 private:
  // Keys view the characters of the texts they map to, which never move.
  std::unordered_map<std::u16string_view, platform::SharedText> texts_;
};

// One element of the catalog array, read by the conversion rules; `index` is
// its 0-based place in the array (a game without an id gets index + 1).
// Given `recurring`, the info texts a former game had too are shared with it.
void ReadGame(platform::json::Value object, std::size_t index, TGameInfo& game,
              TRecurringTexts* recurring = nullptr);

// The members of a game object and of its "info" object that the program
// reads; any other member is ignored.
inline constexpr std::string_view kGameKeys[] = {"id",   "name",   "url", "apkUrl",
                                                 "post", "qrcode", "info"};
inline constexpr std::string_view kInfoKeys[] = {"name",  "genre", "developer", "year",
                                                 "text1", "text2", "text3",     "text4",
                                                 "text5", "text6", "text7",     "text8"};

// A member read as an integer or as text. False when the member is absent,
// null or of a kind that does not convert; `value` is then left alone.
bool TryJSONInt(platform::json::Value object, std::string_view name, std::int32_t& value);
bool TryJSONStr(platform::json::Value object, std::string_view name, std::u16string& value);

// The same, with a default for every case where the Try form says false.
std::int32_t GetJSONInt(platform::json::Value object, std::string_view name,
                        std::int32_t defaultValue);
std::u16string GetJSONStr(platform::json::Value object, std::string_view name,
                          std::u16string_view defaultValue);
// GetJSONStr's text as the records hold it, converted without a copy between.
platform::SharedText GetJSONText(platform::json::Value object, std::string_view name,
                                 const platform::SharedText& defaultValue);
bool GetJSONObject(platform::json::Value object, std::string_view name,
                   platform::json::Value& result);

// "7", " -12", "$FF", "0x1f", "-x10": the integer a text holds, or false.
bool ParseIntegerText(std::string_view text, std::int32_t& value);
// A JSON number written as a whole number within 32 bits.
bool WholeNumberToInt32(platform::json::Value number, std::int32_t& value);

}  // namespace GameData
