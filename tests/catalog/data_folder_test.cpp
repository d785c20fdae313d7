#include <filesystem>

#include "catalog_test_support.h"
#include "platform/files.h"
#include "support/temp_folder.h"

using testing_support::TempFolder;

namespace {

// Executable in <root>/bin/Release/, as a Windows build lays it out.
class DataFolderSearch : public ::testing::Test {
 protected:
  DataFolderSearch() {
    std::filesystem::create_directories(root_.path() / "bin" / "Release");
    exe_ = root_.text() + u"bin" + sep_ + u"Release" + sep_;
  }
  TempFolder root_;
  std::u16string sep_ = std::u16string(1, platform::kPathSeparator);
  std::u16string exe_;
};

TEST_F(DataFolderSearch, OwnFolderComesFirst) {
  root_.write("bin/Release/games.json", "[]");
  root_.write("games.json", "[]");
  EXPECT_EQ(GameData::FindDataFolder(exe_), exe_);
}

TEST_F(DataFolderSearch, TwoUpBeforeOneUp) {
  root_.write("games.json", "[]");
  root_.write("bin/games.json", "[]");
  EXPECT_EQ(GameData::FindDataFolder(exe_), root_.text());
}

TEST_F(DataFolderSearch, OneUpWhenOnlyThere) {
  root_.write("bin/games.json", "[]");
  EXPECT_EQ(GameData::FindDataFolder(exe_), root_.text() + u"bin" + sep_);
}

TEST_F(DataFolderSearch, FolderNamedLikeTheCatalogIsSkipped) {
  std::filesystem::create_directory(root_.path() / "bin" / "Release" / "games.json");
  root_.write("bin/games.json", "[]");
  EXPECT_EQ(GameData::FindDataFolder(exe_), root_.text() + u"bin" + sep_);
}

TEST_F(DataFolderSearch, NothingFoundGivesOwnFolder) {
  EXPECT_EQ(GameData::FindDataFolder(exe_), exe_);
}

TEST(DataFolder, GetAppDirEndsWithSeparatorAndExists) {
  const std::u16string folder = GameData::GetAppDir();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), platform::kPathSeparator);
  EXPECT_TRUE(platform::FolderExists(folder));
}

}  // namespace
