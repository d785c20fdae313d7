#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "catalog/catalog_fields.h"
#include "catalog/catalog_file.h"
#include "catalog/data_folder.h"
#include "catalog/favorites.h"
#include "platform/files.h"
#include "platform/utf8.h"

namespace GameData {

using platform::json::Kind;
using platform::json::Value;

namespace {

constexpr std::size_t kMaxCatalogBytes = std::size_t{1} << 30;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A member whose value is null counts as absent.
std::optional<Value> PresentMember(Value object, std::string_view name) {
  auto member = object.member(name);
  if (member && member->isNull()) return std::nullopt;
  return member;
}

}  // namespace

platform::SharedText TRecurringTexts::Get(const platform::SharedText& text) {
  if (text.empty()) return {};
  const auto found = texts_.find(text.View());
  if (found != texts_.end()) return found->second;
  texts_.emplace(text.View(), text);
  return text;
}

void ReadGame(Value object, std::size_t index, TGameInfo& game, TRecurringTexts* recurring) {
  const auto infoText = [&](Value info, std::string_view key) {
    const platform::SharedText text = GetJSONText(info, key, {});
    return recurring ? recurring->Get(text) : text;
  };
  game.ID = GetJSONInt(object, "id", static_cast<std::int32_t>(index + 1));
  game.Name = GetJSONText(object, "name", {});
  game.URL = GetJSONText(object, "url", {});
  game.APKUrl = GetJSONText(object, "apkUrl", {});
  game.PostImage = GetJSONText(object, "post", {});
  game.QRCodeImage = GetJSONText(object, "qrcode", {});
  Value info = object;
  if (GetJSONObject(object, "info", info)) {
    const platform::SharedText infoName = GetJSONText(info, "name", game.Name);
    // Most games show their list name in the information lines too: shared.
    game.InfoName = infoName == game.Name ? game.Name : infoName;
    game.InfoGenre = infoText(info, "genre");
    game.InfoDeveloper = infoText(info, "developer");
    game.InfoYear = infoText(info, "year");
    platform::SharedText* texts[] = {&game.InfoText1, &game.InfoText2, &game.InfoText3,
                                     &game.InfoText4, &game.InfoText5, &game.InfoText6,
                                     &game.InfoText7, &game.InfoText8};
    // text1..text8 follow the four named members in kInfoKeys.
    for (std::size_t i = 0; i < std::size(texts); ++i) *texts[i] = infoText(info, kInfoKeys[4 + i]);
  } else {
    game.InfoName = game.Name;
  }
  game.IsFavorite = IsFavoriteID(game.ID);
}

std::u16string FindDataFolder(std::u16string_view executableFolder) {
  const std::u16string own(executableFolder);
  if (platform::FileExists(own + std::u16string(kCatalogFileName))) return own;
  const std::u16string up = std::u16string(u"..") + platform::kPathSeparator;
  for (const std::u16string& candidate : {own + up + up, own + up}) {
    if (platform::FileExists(candidate + std::u16string(kCatalogFileName))) {
      return platform::ResolvePath(candidate);
    }
  }
  return own;
}

std::u16string GetAppDir() { return FindDataFolder(platform::ExecutableFolder()); }

bool ParseIntegerText(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::string_view rest = text.substr(i);
  std::size_t prefix = 0;
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    prefix = 2;
  } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
    prefix = 1;
  }
  if (prefix > 0) {
    const std::string_view digits = rest.substr(prefix);
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t pattern = 0;
    for (char c : digits) {
      const int digit = HexDigit(c);
      if (digit < 0) return false;
      pattern = pattern << 4 | static_cast<std::uint32_t>(digit);
    }
    // A 32-bit two's-complement pattern; the sign negates it the same way.
    value = static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    return true;
  }
  if (rest.empty()) return false;
  std::int64_t magnitude = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{1} << 31) magnitude = std::int64_t{1} << 32;  // stays out of range
  }
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < std::numeric_limits<std::int32_t>::min() ||
      signedValue > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

bool WholeNumberToInt32(Value number, std::int32_t& value) {
  if (!number.isWholeNumber()) return false;
  const std::string_view text = number.text();
  std::int32_t parsed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

bool TryJSONInt(Value object, std::string_view name, std::int32_t& value) {
  const auto member = PresentMember(object, name);
  if (!member) return false;
  switch (member->kind()) {
    case Kind::String:
      return ParseIntegerText(member->text(), value);
    case Kind::Number:
      return WholeNumberToInt32(*member, value);
    case Kind::Boolean:
      value = member->boolean() ? 1 : 0;
      return true;
    default:
      return false;
  }
}

namespace {

// The UTF-8 text a member converts to, or nothing.
std::optional<std::string_view> MemberText(Value object, std::string_view name) {
  const auto member = PresentMember(object, name);
  if (!member) return std::nullopt;
  switch (member->kind()) {
    case Kind::String:
    case Kind::Number:
      return member->text();
    case Kind::Boolean:
      return member->boolean() ? "true" : "false";
    default:
      return std::nullopt;
  }
}

}  // namespace

bool TryJSONStr(Value object, std::string_view name, std::u16string& value) {
  const auto text = MemberText(object, name);
  if (text) value = platform::Utf8ToUtf16(*text);
  return text.has_value();
}

platform::SharedText GetJSONText(Value object, std::string_view name,
                                 const platform::SharedText& defaultValue) {
  const auto text = MemberText(object, name);
  return text ? platform::SharedText::FromUtf8(*text) : defaultValue;
}

std::int32_t GetJSONInt(Value object, std::string_view name, std::int32_t defaultValue) {
  std::int32_t value = defaultValue;
  return TryJSONInt(object, name, value) ? value : defaultValue;
}

std::u16string GetJSONStr(Value object, std::string_view name, std::u16string_view defaultValue) {
  std::u16string value;
  return TryJSONStr(object, name, value) ? value : std::u16string(defaultValue);
}

bool GetJSONObject(Value object, std::string_view name, Value& result) {
  const auto member = object.member(name);
  if (!member || !member->isObject()) return false;
  result = *member;
  return true;
}

std::optional<std::string> ReadCatalogFile(std::u16string_view path, std::string* reason) {
  return platform::ReadWholeFile(path, kMaxCatalogBytes, reason);
}

bool LoadGames(std::u16string_view path) {
  std::optional<platform::json::Document> document;
  {
    // The document holds what it needs of the file: the bytes go before the
    // records are made, and the largest moment of a start is smaller.
    const auto bytes = ReadCatalogFile(path);
    if (!bytes) return false;
    document = platform::json::Parse(*bytes);
  }
  if (!document || !document->root().isArray()) return false;
  const Value root = document->root();
  Games.assign(root.size(), TGameInfo{});
  TRecurringTexts recurring;
  std::size_t index = 0;
  for (Value element : root) {
    if (!element.isObject()) return false;
    ReadGame(element, index, Games[index], &recurring);
    ++index;
  }
  return true;
}

void LoadDemoGames() {
  Games.clear();
  for (int n = 1; n <= 8; ++n) {
    TGameInfo game;
    game.ID = n;
    game.Name = u"Название";
    game.URL = std::u16string(kDemoHost) + u"/game" + static_cast<char16_t>(u'0' + n);
    game.InfoName = u"Название";
    game.InfoGenre = u"Жанр";
    game.InfoDeveloper = u"Разработчик";
    game.InfoYear = u"2024";
    game.IsFavorite = n == 1;
    Games.push_back(std::move(game));
  }
}

}  // namespace GameData
