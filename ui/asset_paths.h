#pragma once

#include <string>
#include <string_view>

#include "catalog/game_data.h"
#include "platform/files.h"

// A file of the data folder's assets: <data folder>assets/<folder>/<name>.
// The data folder is looked up anew each time; the name is appended as is.
inline std::u16string AssetPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path = GameData::GetAppDir();
  path += u"assets";
  path += platform::kPathSeparator;
  path += folder;
  path += platform::kPathSeparator;
  path += name;
  return path;
}
