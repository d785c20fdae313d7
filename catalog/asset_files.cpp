#include <vector>

#include "catalog/data_folder.h"
#include "platform/files.h"

namespace GameData {

namespace {

constexpr std::u16string_view kAssetsFolder = u"assets";

// The parts of a catalog file name between its separators; both '\' and '/'
// separate, whatever the system, and empty parts are dropped.
std::vector<std::u16string_view> NameParts(std::u16string_view name) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == u'\\' || name[i] == u'/') {
      if (i > start) parts.push_back(name.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace

TAssetFile FindAssetFile(std::u16string_view dataFolder, std::u16string_view folder,
                         std::u16string_view file, platform::FolderIndex* index) {
  TAssetFile result;
  std::vector<std::u16string_view> parts{kAssetsFolder, folder};
  const std::vector<std::u16string_view> fileParts = NameParts(file);
  parts.insert(parts.end(), fileParts.begin(), fileParts.end());

  std::u16string path(dataFolder);
  std::u16string root;  // assets/<folder> as found on disk
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::u16string_view part = parts[i];
    std::u16string name(part);
    if (part != u"." && part != u"..") {
      name = index ? index->FindEntryIgnoringCase(path, part)
                   : platform::FindEntryIgnoringCase(path, part);
      if (name.empty()) {
        // Say where the file was looked for, as the catalog names it.
        for (std::size_t j = i; j < parts.size(); ++j) {
          if (j > i) path += platform::kPathSeparator;
          path += parts[j];
        }
        result.Path = std::move(path);
        return result;
      }
      if (name != part) result.CaseDiffers = true;
    }
    path += name;
    if (i == 1) root = path;
    if (i + 1 < parts.size()) path += platform::kPathSeparator;
  }
  result.Path = path;
  if (fileParts.empty()) return result;

  const std::u16string real = platform::CanonicalPath(path);
  if (real.empty()) return result;  // a link to nothing
  if (!platform::IsInsideFolder(real, platform::CanonicalPath(root))) {
    result.State = TAssetFile::TState::OutsideFolder;
  } else if (!platform::FileExists(real)) {
    result.State = TAssetFile::TState::NotAFile;
  } else {
    result.State = TAssetFile::TState::Found;
  }
  return result;
}

}  // namespace GameData
