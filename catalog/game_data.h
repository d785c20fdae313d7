#pragma once

// The catalog unit: the record of one game, the three lists the window reads,
// the catalog file, the favourites store and the search filter. Standard C++
// only; files, JSON and lower-casing come from the platform services.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/json_document.h"

namespace GameData {

struct TGameInfo {
  std::int32_t ID = 0;
  std::u16string Name;
  std::u16string URL;
  std::u16string APKUrl;
  std::u16string PostImage;
  std::u16string QRCodeImage;
  std::u16string InfoName;
  std::u16string InfoGenre;
  std::u16string InfoDeveloper;
  std::u16string InfoYear;
  std::u16string InfoText1;
  std::u16string InfoText2;
  std::u16string InfoText3;
  std::u16string InfoText4;
  std::u16string InfoText5;
  std::u16string InfoText6;
  std::u16string InfoText7;
  std::u16string InfoText8;
  bool IsFavorite = false;

  friend bool operator==(const TGameInfo&, const TGameInfo&) = default;
};

// The catalog in file order; after start-up only IsFavorite changes.
extern std::vector<TGameInfo> Games;
// The visible list: copies of catalog records, favourites first.
extern std::vector<TGameInfo> FilteredGames;
// Favourite IDs in the order they were marked, oldest first.
extern std::vector<std::int32_t> FavoriteIDs;

// Empties the three lists, as at program end.
void ClearLists();

// --- catalog file and data folder ---

// The data folder with a trailing separator: the executable's folder when it
// holds games.json, else two folders up, else one folder up, else the
// executable's folder.
std::u16string GetAppDir();
// Same search, starting from a given folder (with trailing separator).
std::u16string FindDataFolder(std::u16string_view executableFolder);

// The catalog file's name inside the data folder.
inline constexpr std::u16string_view kCatalogFileName = u"games.json";

// The data folder's pictures: assets/<folder>/<file>. The QR folder is
// "qrcod", without a final e.
inline constexpr std::u16string_view kIconFolder = u"icon";
inline constexpr std::u16string_view kPosterFolder = u"post";
inline constexpr std::u16string_view kQRCodeFolder = u"qrcod";
inline constexpr std::u16string_view kAPKIconFile = u"apk-icon.png";
inline constexpr std::u16string_view kTelegramIconFile = u"telegram-icon.png";

// Where a picture file named by the catalog (or a button icon) is found:
// <dataFolder>assets/<folder>/<file>. The file name may use '\' or '/' between
// sub-folders. Catalogs are written where names ignore letter case, so a name
// (of "assets", the folder or any part of the file name) that is not found as
// written matches the one entry that equals it ignoring case. A name that
// leads outside assets/<folder>/, by ".." steps or symbolic links, is not
// looked at: a catalog is data and shows no other file of the disk.
struct TAssetFile {
  enum class TState { Found, Missing, OutsideFolder, NotAFile };
  TState State = TState::Missing;
  // The file found, with its names as they are on disk; for the other
  // states, the place that was looked at.
  std::u16string Path;
  // Found only by ignoring letter case.
  bool CaseDiffers = false;
  bool Found() const { return State == TState::Found; }
};
TAssetFile FindAssetFile(std::u16string_view dataFolder, std::u16string_view folder,
                         std::u16string_view file);

// The catalog file's bytes as LoadGames reads them. Nothing for a missing
// file, a folder, an unreadable file or one too large to be a catalog;
// `reason` then says why.
std::optional<std::string> ReadCatalogFile(std::u16string_view path, std::string* reason = nullptr);

// One element of the catalog array, read by the conversion rules; `index` is
// its 0-based place in the array (a game without an id gets index + 1).
void ReadGame(platform::json::Value object, std::size_t index, TGameInfo& game);

// Reads the catalog into Games. False leaves Games untouched, except that a
// non-object element stops the load after Games was sized to the array.
bool LoadGames(std::u16string_view path);
// The eight-record catalog shown when games.json cannot be used.
void LoadDemoGames();
inline constexpr std::u16string_view kDemoHost = u"https://velmar.example";

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
bool GetJSONObject(platform::json::Value object, std::string_view name,
                   platform::json::Value& result);

// "7", " -12", "$FF", "0x1f", "-x10": the integer a text holds, or false.
bool ParseIntegerText(std::string_view text, std::int32_t& value);
// A JSON number written as a whole number within 32 bits.
bool WholeNumberToInt32(platform::json::Value number, std::int32_t& value);

// --- favourites ---

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

// --- addresses ---

// An address the program hands to the system: its scheme is http or https,
// in any letter case. Anything else (a program path, file:, a scheme that
// starts an application) is not opened.
bool IsWebAddress(std::u16string_view address);

// --- search filter ---

void FilterGames(std::u16string_view query);
void SortFavoritesFirst();

}  // namespace GameData
