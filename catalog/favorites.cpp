#include <algorithm>
#include <charconv>

#include "catalog/catalog_fields.h"
#include "catalog/favorites.h"
#include "platform/files.h"
#include "platform/utf8.h"

namespace GameData {

namespace {

constexpr std::size_t kMaxFavoritesBytes = std::size_t{64} << 20;

std::string Describe(const std::u16string& folder, const std::string& reason) {
  return "cannot create the settings folder " + platform::Utf16ToUtf8(folder) + ": " + reason;
}

}  // namespace

SettingsFolderError::SettingsFolderError(std::u16string folder, std::string reason)
    : std::runtime_error(Describe(folder, reason)),
      folder_(std::move(folder)),
      reason_(std::move(reason)) {}

std::u16string GetSettingsDir() {
  const std::u16string base = platform::SettingsBaseFolder();
  std::u16string folder;
  if (base.empty()) {
    folder = u"Velmar";
  } else if (base.back() == platform::kPathSeparator) {
    folder = base + u"Velmar";
  } else {
    folder = base + platform::kPathSeparator + u"Velmar";
  }
  if (!platform::FolderExists(folder)) {
    std::string reason;
    if (!platform::CreateFolders(folder, &reason)) throw SettingsFolderError(folder, reason);
  }
  if (folder.back() != platform::kPathSeparator) folder += platform::kPathSeparator;
  // Once a run for each folder: saves call this too, and their own
  // temporaries never outlive them.
  static std::u16string cleared;
  if (folder != cleared) {
    platform::RemoveLeftoverTemporaries(folder + std::u16string(kFavoritesFileName));
    cleared = folder;
  }
  return folder;
}

bool LoadFavorites(std::u16string_view path) {
  FavoriteIDs.clear();
  if (!platform::FileExists(path)) return false;
  const auto bytes = platform::ReadWholeFile(path, kMaxFavoritesBytes);
  if (!bytes) return false;
  const auto document = platform::json::Parse(*bytes);
  if (!document || !document->root().isArray()) return false;
  for (platform::json::Value element : document->root()) {
    std::int32_t id = 0;
    if (!WholeNumberToInt32(element, id)) {
      FavoriteIDs.clear();
      return false;
    }
    FavoriteIDs.push_back(id);
  }
  return true;
}

std::string FavoritesFileBytes() {
  std::string text(platform::kByteOrderMark);
  text += '[';
  char buffer[16];
  for (std::size_t i = 0; i < FavoriteIDs.size(); ++i) {
    if (i > 0) text += ',';
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, FavoriteIDs[i]);
    text.append(buffer, end);
  }
  text += ']';
  return text;
}

bool SaveFavorites(std::u16string_view path) {
  return platform::WriteFileAtomically(path, FavoritesFileBytes());
}

bool IsFavoriteID(std::int32_t id) {
  return std::find(FavoriteIDs.begin(), FavoriteIDs.end(), id) != FavoriteIDs.end();
}

void ToggleFavorite(std::int32_t id) {
  const auto found = std::find(FavoriteIDs.begin(), FavoriteIDs.end(), id);
  const bool added = found == FavoriteIDs.end();
  if (added) {
    FavoriteIDs.push_back(id);
  } else {
    FavoriteIDs.erase(found);
  }
  const auto game = std::find_if(Games.begin(), Games.end(),
                                 [id](const TGameInfo& record) { return record.ID == id; });
  if (game != Games.end()) game->IsFavorite = added;
}

}  // namespace GameData
