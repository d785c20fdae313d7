#pragma once

// The per-user favourites store.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace GameData {

// Raised when the settings folder cannot be created.
class SettingsFolderError : public std::runtime_error {
 public:
  SettingsFolderError(std::u16string folder, std::string reason);
  const std::u16string& folder() const { return folder_; }
  // The operating system's explanation.
  const std::string& reason() const { return reason_; }

 private:
  std::u16string folder_;
  std::string reason_;
};

// The settings folder "Velmar" in the per-user settings base, created when
// missing, with a trailing separator. Throws SettingsFolderError.
std::u16string GetSettingsDir();

// The favourites file's name inside the settings folder.
inline constexpr std::u16string_view kFavoritesFileName = u"favorites.json";

bool LoadFavorites(std::u16string_view path);
bool SaveFavorites(std::u16string_view path);
// The exact bytes SaveFavorites writes: EF BB BF and a compact JSON array.
std::string FavoritesFileBytes();
bool IsFavoriteID(std::int32_t id);
void ToggleFavorite(std::int32_t id);

}  // namespace GameData
