// The catalog and the favourites file when what is on disk is hostile: a
// pipe or a device in a file's place, a huge file of whitespace, leftovers of
// a killed save.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "catalog_test_support.h"
#include "platform/files.h"
#include "support/peak_memory.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace GameData;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

#ifndef _WIN32

// Each would block the program's start for ever, or read a device up to the
// size limit, if it were opened as a file.
TEST_F(CatalogTest, PipesAndDevicesAreNotThere) {
  TempFolder folder;
  const fs::path fifo = folder.path() / "pipe.json";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder.path() / "zero.json");
  Games = {Game(5)};
  FavoriteIDs = {7};
  for (const char* name : {"pipe.json", "zero.json"}) {
    const std::u16string path = ToText(folder.path() / name);
    EXPECT_FALSE(LoadGames(path)) << name;
    EXPECT_EQ(Ids(Games), std::vector<std::int32_t>{5}) << name;
    EXPECT_FALSE(LoadFavorites(path)) << name;
    FavoriteIDs = {7};
    EXPECT_FALSE(SaveFavorites(path)) << name;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_character_file("/dev/zero"));
}

#else

TEST_F(CatalogTest, PipesAndDevicesAreNotThere) {
  GTEST_SKIP() << "FIFOs and /dev are POSIX things; files_windows_test.cpp has Windows devices";
}

#endif

TEST_F(CatalogTest, SettingsFolderIsClearedOfKilledSavesWhenOpened) {
  TempFolder base;
  const fs::path folder = base.path() / "Velmar";
  const fs::path leftover = base.write("Velmar/favorites.json.k1LLed", "[1,2");
  fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  base.write("Velmar/favorites.json", "[1]");
  platform::OverrideSettingsBaseFolder(base.path().u16string());
  const std::u16string dir = GetSettingsDir();
  platform::OverrideSettingsBaseFolder(std::nullopt);
  EXPECT_EQ(fs::path(dir), folder / "");
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_TRUE(fs::exists(folder / "favorites.json"));
}

// A catalog of nothing but line breaks is not a catalog, and finding that
// out costs little more memory than the file itself.
TEST_F(CatalogTest, HugeWhitespaceFileFailsWithinBoundedMemory) {
  TempFolder folder;
  constexpr std::size_t kSize = std::size_t{50} << 20;
  const fs::path file = folder.path() / "games.json";
  testing_support::WriteLineBreaks(file, kSize);
  bool loaded = true;
  const auto growth =
      testing_support::PeakGrowthDuring([&] { loaded = LoadGames(ToText(file)); });
  if (!growth) GTEST_SKIP() << "the system does not tell the peak resident size";
  EXPECT_FALSE(loaded);
  EXPECT_LT(*growth, 2 * kSize + (std::size_t{50} << 20)) << "peak grew by " << (*growth >> 20) << " MB";
}

}  // namespace
