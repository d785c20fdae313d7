#pragma once

// Where the catalog and its pictures are: the data folder and its assets.

#include <string>
#include <string_view>

namespace platform {
class FolderIndex;
}

namespace GameData {

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
// With `index`, folders are read through it (see platform::FolderIndex).
TAssetFile FindAssetFile(std::u16string_view dataFolder, std::u16string_view folder,
                         std::u16string_view file, platform::FolderIndex* index = nullptr);

}  // namespace GameData
