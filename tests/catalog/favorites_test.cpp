#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalog_test_support.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

using namespace GameData;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

// The settings base the system would give, replaced for one test.
class ScopedSettingsBase {
 public:
  explicit ScopedSettingsBase(std::u16string base) {
    platform::OverrideSettingsBaseFolder(std::move(base));
  }
  ~ScopedSettingsBase() { platform::OverrideSettingsBaseFolder(std::nullopt); }
};

class FavoritesTest : public CatalogTest {
 protected:
  std::u16string Path() const { return folder_.text() + u"favorites.json"; }
  TempFolder folder_;
};

TEST_F(FavoritesTest, SettingsFolderIsCreatedUnderTheBase) {
  ScopedSettingsBase base(ToText(folder_.path()));
  const std::u16string dir = GetSettingsDir();
  EXPECT_EQ(dir, folder_.text() + u"Velmar" + platform::kPathSeparator);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "Velmar"));
  EXPECT_EQ(GetSettingsDir(), dir);  // second call finds it
}

// A user whose profile folder has Cyrillic letters and a space in its name
// keeps favourites there like anyone else.
TEST_F(FavoritesTest, AProfileFolderWithCyrillicLettersHoldsTheFavorites) {
  const std::filesystem::path profile = folder_.path() / std::filesystem::path(u8"Ёлкин Пётр") / "AppData";
  std::filesystem::create_directories(profile);
  ScopedSettingsBase base(ToText(profile));
  const std::u16string dir = GetSettingsDir();
  EXPECT_EQ(dir, ToText(profile) + platform::kPathSeparator + u"Velmar" + platform::kPathSeparator);
  FavoriteIDs = {7, 3};
  ASSERT_TRUE(SaveFavorites(dir + u"favorites.json"));
  EXPECT_EQ(testing_support::ReadBytes(profile / "Velmar" / "favorites.json"), "\xEF\xBB\xBF[7,3]");
  FavoriteIDs.clear();
  ASSERT_TRUE(LoadFavorites(dir + u"favorites.json"));
  EXPECT_EQ(FavoriteIDs, (std::vector<std::int32_t>{7, 3}));
}

TEST_F(FavoritesTest, SettingsFolderIsRelativeWithoutABase) {
  ScopedSettingsBase none(u"");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  const std::u16string dir = GetSettingsDir();
  std::filesystem::current_path(previous);
  EXPECT_EQ(dir, std::u16string(u"Velmar") + platform::kPathSeparator);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "Velmar"));
}

TEST_F(FavoritesTest, SettingsFolderThatCannotBeCreatedRaisesANamedError) {
  folder_.write("blocker", "a file where the base folder should be");
  const std::u16string base = ToText(folder_.path() / "blocker");
  ScopedSettingsBase settings(base);
  try {
    GetSettingsDir();
    FAIL() << "expected SettingsFolderError";
  } catch (const SettingsFolderError& error) {
    EXPECT_EQ(error.folder(), ToText(folder_.path() / "blocker" / "Velmar"));
    const std::u16string folder = base + platform::kPathSeparator + u"Velmar";
    EXPECT_NE(std::string(error.what()).find(platform::Utf16ToUtf8(folder)), std::string::npos)
        << error.what();
  }
}

// The user made the file read-only: the toggle holds in memory, the save
// answers false and the file stays as it was, byte for byte.
TEST_F(FavoritesTest, AReadOnlyFileIsKeptAndTheSaveSaysSo) {
  const std::string failure = testing_support::RunUnprivileged(folder_.path(), [&]() -> std::string {
    const auto file = folder_.write("favorites.json", testing_support::WithByteOrderMark("[3]"));
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    FavoriteIDs = {3};
    ToggleFavorite(5);
    if (SaveFavorites(Path())) return "the save said true";
    if (FavoriteIDs != std::vector<std::int32_t>{3, 5}) return "the toggle was lost";
    if (testing_support::ReadBytes(file) != testing_support::WithByteOrderMark("[3]")) {
      return "the file changed";
    }
    return {};
  });
  EXPECT_EQ(failure, "");
}

TEST_F(FavoritesTest, SavedBytesAreExact) {
  struct Case {
    std::vector<std::int32_t> ids;
    std::string text;
  };
  const Case cases[] = {
      {{}, "[]"},
      {{5, 2}, "[5,2]"},
      {{-7, 0, 2147483647, -2147483647 - 1}, "[-7,0,2147483647,-2147483648]"},
      {{3, 3}, "[3,3]"},
  };
  for (const Case& c : cases) {
    FavoriteIDs = c.ids;
    ASSERT_TRUE(SaveFavorites(Path()));
    EXPECT_EQ(folder_.read("favorites.json"), testing_support::WithByteOrderMark(c.text));
  }
}

TEST_F(FavoritesTest, SaveFailsWhenTheFolderIsMissingAndKeepsTheList) {
  FavoriteIDs = {1};
  EXPECT_FALSE(SaveFavorites(folder_.text() + u"missing/favorites.json"));
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{1});
}

TEST_F(FavoritesTest, LoadAcceptsWholeNumbersWithAnySpacing) {
  struct Case {
    std::string bytes;
    std::vector<std::int32_t> ids;
  };
  const Case cases[] = {
      {testing_support::WithByteOrderMark("[5,2]"), {5, 2}},
      {"[ 3 ,\n\t3 ]", {3, 3}},
      {"[-4, 0, 2147483647, -2147483648]", {-4, 0, 2147483647, -2147483647 - 1}},
      {"[]", {}},
  };
  for (const Case& c : cases) {
    folder_.write("favorites.json", c.bytes);
    EXPECT_TRUE(LoadFavorites(Path())) << c.bytes;
    EXPECT_EQ(FavoriteIDs, c.ids) << c.bytes;
  }
}

TEST_F(FavoritesTest, BadFilesLoadNothing) {
  const std::string cases[] = {
      "",
      testing_support::WithByteOrderMark(""),
      "[\"3\"]",
      "{}",
      "[3.0]",
      "[1e2]",
      "[1, null]",
      "[true]",
      "[[1]]",
      "[2147483648]",
      "[-2147483649]",
      "[1,2] x",
      std::string("\xFF\xFE[\0" "3\0]\0", 8),
      "[1,\xC0]",
      std::string(100000, '['),
  };
  for (const std::string& bytes : cases) {
    FavoriteIDs = {9};
    folder_.write("favorites.json", bytes);
    EXPECT_FALSE(LoadFavorites(Path())) << testing::PrintToString(bytes.substr(0, 20));
    EXPECT_TRUE(FavoriteIDs.empty()) << testing::PrintToString(bytes.substr(0, 20));
  }
  FavoriteIDs = {9};
  EXPECT_FALSE(LoadFavorites(folder_.text() + u"none.json"));
  EXPECT_TRUE(FavoriteIDs.empty());
  std::filesystem::create_directory(folder_.path() / "dir.json");
  EXPECT_FALSE(LoadFavorites(folder_.text() + u"dir.json"));
}

TEST_F(FavoritesTest, ToggleAppendsRemovesAndFlagsTheFirstRecordOnly) {
  Games = {Game(5), Game(2), Game(2), Game(3)};
  ToggleFavorite(5);
  ToggleFavorite(2);
  EXPECT_EQ(FavoriteIDs, (std::vector<std::int32_t>{5, 2}));
  EXPECT_TRUE(Games[0].IsFavorite);
  EXPECT_TRUE(Games[1].IsFavorite);
  EXPECT_FALSE(Games[2].IsFavorite);  // same ID, later record
  ToggleFavorite(5);
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{2});
  EXPECT_FALSE(Games[0].IsFavorite);
  ToggleFavorite(77);  // no such game: still listed
  EXPECT_EQ(FavoriteIDs, (std::vector<std::int32_t>{2, 77}));
  EXPECT_TRUE(IsFavoriteID(77));
  EXPECT_FALSE(IsFavoriteID(5));
}

TEST_F(FavoritesTest, DuplicateIdsInTheFileAreRemovedOneAtATime) {
  Games = {Game(3)};
  folder_.write("favorites.json", "[3,3]");
  ASSERT_TRUE(LoadFavorites(Path()));
  ToggleFavorite(3);
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{3});
  EXPECT_FALSE(Games[0].IsFavorite);  // flag cleared although 3 is still listed
  ToggleFavorite(3);
  EXPECT_TRUE(FavoriteIDs.empty());
}

TEST_F(FavoritesTest, RoundTripKeepsOrderAndUnknownIds) {
  FavoriteIDs = {10, -3, 999};
  ASSERT_TRUE(SaveFavorites(Path()));
  FavoriteIDs.clear();
  ASSERT_TRUE(LoadFavorites(Path()));
  EXPECT_EQ(FavoriteIDs, (std::vector<std::int32_t>{10, -3, 999}));
}

}  // namespace
