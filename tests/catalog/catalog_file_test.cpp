#include <filesystem>
#include <fstream>

#include "catalog_test_support.h"
#include "support/temp_folder.h"

using namespace GameData;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

class LoadGamesTest : public CatalogTest {
 protected:
  bool Load(std::string_view bytes) {
    return LoadGames(ToText(folder_.write("games.json", bytes)));
  }
  TempFolder folder_;
};

TEST_F(LoadGamesTest, ReadsEveryFieldInFileOrder) {
  ASSERT_TRUE(Load(R"([
    {"id": 7, "name": "Лабиринт", "url": "https://a/", "apkUrl": "https://a/x.apk",
     "post": "p.png", "qrcode": "q.png",
     "info": {"name": "Лабиринт теней", "genre": "Аркада", "developer": "Север", "year": "2024",
              "text1": "t1", "text2": "t2", "text3": "t3", "text4": "t4",
              "text5": "t5", "text6": "t6", "text7": "t7", "text8": "t8"}},
    {"id": 3, "name": "Second"}
  ])"));
  ASSERT_EQ(Games.size(), 2u);
  const TGameInfo& g = Games[0];
  EXPECT_EQ(g.ID, 7);
  EXPECT_EQ(g.Name, u"Лабиринт");
  EXPECT_EQ(g.URL, u"https://a/");
  EXPECT_EQ(g.APKUrl, u"https://a/x.apk");
  EXPECT_EQ(g.PostImage, u"p.png");
  EXPECT_EQ(g.QRCodeImage, u"q.png");
  EXPECT_EQ(g.InfoName, u"Лабиринт теней");
  EXPECT_EQ(g.InfoGenre, u"Аркада");
  EXPECT_EQ(g.InfoDeveloper, u"Север");
  EXPECT_EQ(g.InfoYear, u"2024");
  const std::u16string_view texts[] = {g.InfoText1, g.InfoText2, g.InfoText3, g.InfoText4,
                                  g.InfoText5, g.InfoText6, g.InfoText7, g.InfoText8};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(texts[i], u"t" + std::u16string(1, u'1' + i));
  EXPECT_EQ(Games[1].ID, 3);
  EXPECT_EQ(Games[1].InfoName, u"Second");
}

// A genre, developer or info line that several games have is kept once, and
// a game's info name equal to its list name is that same text.
TEST_F(LoadGamesTest, RecurringTextsAreKeptOnce) {
  ASSERT_TRUE(Load(R"([
    {"id": 1, "name": "A", "info": {"genre": "Аркада", "developer": "Север", "text1": "Офлайн"}},
    {"id": 2, "name": "B", "info": {"genre": "Аркада", "developer": "Юг", "text3": "Офлайн"}},
    {"id": 3, "name": "Маяк", "info": {"name": "Маяк", "genre": "Гонки"}},
    {"id": 4, "name": "Нет инфо"}
  ])"));
  ASSERT_EQ(Games.size(), 4u);
  EXPECT_TRUE(Games[0].InfoGenre.SharesWith(Games[1].InfoGenre));
  EXPECT_TRUE(Games[0].InfoText1.SharesWith(Games[1].InfoText3));
  EXPECT_FALSE(Games[0].InfoDeveloper.SharesWith(Games[1].InfoDeveloper));
  EXPECT_EQ(Games[1].InfoDeveloper, u"Юг");
  EXPECT_EQ(Games[2].InfoGenre, u"Гонки");
  EXPECT_TRUE(Games[2].InfoName.SharesWith(Games[2].Name));
  EXPECT_TRUE(Games[3].InfoName.SharesWith(Games[3].Name));
  EXPECT_EQ(Games[3].InfoName, u"Нет инфо");
}

// One member value and what each reader makes of it.
struct ConversionCase {
  const char* value;
  std::int32_t asId;  // default 1 (the first element's position)
  std::u16string asText;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.value; }

class MemberConversion : public LoadGamesTest,
                         public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(MemberConversion, FollowsTheConversionRules) {
  const ConversionCase& c = GetParam();
  ASSERT_TRUE(Load(std::string("[{\"id\":") + c.value + ",\"name\":" + c.value + "}]"));
  EXPECT_EQ(Games[0].ID, c.asId) << c.value;
  EXPECT_EQ(Games[0].Name, c.asText) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MemberConversion,
    ::testing::Values(ConversionCase{"7", 7, u"7"}, ConversionCase{"-5", -5, u"-5"},
                      ConversionCase{"0", 0, u"0"}, ConversionCase{"-0", 0, u"-0"},
                      ConversionCase{"2147483647", 2147483647, u"2147483647"},
                      ConversionCase{"-2147483648", -2147483647 - 1, u"-2147483648"},
                      ConversionCase{"2147483648", 1, u"2147483648"},
                      ConversionCase{"7.9", 1, u"7.9"}, ConversionCase{"7.0", 1, u"7.0"},
                      ConversionCase{"1.50", 1, u"1.50"}, ConversionCase{"1E3", 1, u"1E3"},
                      ConversionCase{"true", 1, u"true"}, ConversionCase{"false", 0, u"false"},
                      ConversionCase{"null", 1, u""}, ConversionCase{"[7]", 1, u""},
                      ConversionCase{"{\"a\":7}", 1, u""},
                      ConversionCase{"\"7\"", 7, u"7"}, ConversionCase{"\"  -12\"", -12, u"  -12"},
                      ConversionCase{"\"+007\"", 7, u"+007"},
                      ConversionCase{"\"7a\"", 1, u"7a"}, ConversionCase{"\" 7 \"", 1, u" 7 "},
                      ConversionCase{"\"\"", 1, u""}, ConversionCase{"\"-\"", 1, u"-"},
                      ConversionCase{"\"$FF\"", 255, u"$FF"}, ConversionCase{"\"0x1f\"", 31, u"0x1f"},
                      ConversionCase{"\"X10\"", 16, u"X10"}, ConversionCase{"\"-x10\"", -16, u"-x10"},
                      ConversionCase{"\"$FFFFFFFF\"", -1, u"$FFFFFFFF"},
                      ConversionCase{"\"$100000000\"", 1, u"$100000000"},
                      ConversionCase{"\"0x\"", 1, u"0x"}, ConversionCase{"\"99999999999\"", 1, u"99999999999"},
                      ConversionCase{"\"\\u0041\\n\"", 1, u"A\n"}));

TEST_F(LoadGamesTest, InfoDefaultsAndExactNames) {
  ASSERT_TRUE(Load(R"([
    {"name": "A", "info": null},
    {"name": "B", "info": "text"},
    {"name": "C", "info": [1]},
    {"name": "D", "info": {}},
    {"name": "E", "info": {"genre": "Гонки", "Name": "ignored"}},
    {},
    {"Name": "ignored", "ID": 99, "name": "first", "name": "second", "id": 4, "id": 5}
  ])"));
  ASSERT_EQ(Games.size(), 7u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Games[i].InfoName, Games[i].Name) << i;
    EXPECT_EQ(Games[i].InfoGenre, u"") << i;
  }
  EXPECT_EQ(Games[4].InfoName, u"E");
  EXPECT_EQ(Games[4].InfoGenre, u"Гонки");
  TGameInfo empty;
  empty.ID = 6;
  EXPECT_EQ(Games[5], empty);
  EXPECT_EQ(Games[6].Name, u"first");
  EXPECT_EQ(Games[6].ID, 4);
}

TEST_F(LoadGamesTest, EmptyArrayIsAnEmptyCatalog) {
  Games.push_back(Game(1));
  ASSERT_TRUE(Load("[]"));
  EXPECT_TRUE(Games.empty());
}

TEST_F(LoadGamesTest, DuplicateIdsBothBecomeRecordsAndFavouritesMark) {
  FavoriteIDs = {2};
  ASSERT_TRUE(Load(R"([{"id":2,"name":"a"},{"id":2,"name":"b"},{"id":3}])"));
  EXPECT_EQ(Ids(Games), (std::vector<std::int32_t>{2, 2, 3}));
  EXPECT_TRUE(Games[0].IsFavorite);
  EXPECT_TRUE(Games[1].IsFavorite);
  EXPECT_FALSE(Games[2].IsFavorite);
}

TEST_F(LoadGamesTest, ByteOrderMarkIsAccepted) {
  ASSERT_TRUE(Load("\xEF\xBB\xBF[{\"name\":\"\xD0\x81\"}]"));
  EXPECT_EQ(Games[0].Name, u"Ё");
}

struct BadCatalog {
  const char* label;
  std::string bytes;
};

void PrintTo(const BadCatalog& c, std::ostream* os) { *os << c.label; }

class BadCatalogs : public LoadGamesTest, public ::testing::WithParamInterface<BadCatalog> {};

TEST_P(BadCatalogs, LoadFailsAndLeavesGamesUntouched) {
  Games = {Game(42, u"kept")};
  EXPECT_FALSE(Load(GetParam().bytes));
  EXPECT_EQ(Ids(Games), std::vector<std::int32_t>{42});
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadCatalogs,
    ::testing::Values(
        BadCatalog{"empty_file", ""}, BadCatalog{"bom_only", "\xEF\xBB\xBF"},
        BadCatalog{"whitespace_only", " \n\t"},
        BadCatalog{"utf16_le", std::string("\xFF\xFE[\0]\0", 6)},
        BadCatalog{"utf16_be_no_bom", std::string("\0[\0]", 4)},
        BadCatalog{"cp1251_cyrillic", "[{\"name\":\"\xCF\xF0\xE8\xE2\xE5\xF2\"}]"},
        BadCatalog{"invalid_utf8_in_key", "[{\"n\xFF\":1}]"},
        BadCatalog{"nul_byte", std::string("[\0]", 3)},
        BadCatalog{"text_after_array", "[] trailing"},
        BadCatalog{"second_array", "[][]"},
        BadCatalog{"not_an_array", "{\"id\":1}"}, BadCatalog{"a_string", "\"games\""},
        BadCatalog{"unterminated", "[{\"id\":1}"},
        BadCatalog{"deep_nesting", std::string(100000, '[')},
        BadCatalog{"number_overflowing_double", "[{\"id\":1e999}]"},
        BadCatalog{"comment", "[] // games"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LoadGamesTest, NonObjectElementFailsAfterSizingTheCatalog) {
  Games = {Game(42)};
  EXPECT_FALSE(Load(R"([{"id":1},{"id":2},3,{"id":4}])"));
  // The caller replaces the catalog with the demo; nothing of it is trusted.
  EXPECT_EQ(Games.size(), 4u);
}

TEST_F(LoadGamesTest, MissingFileOrFolderInsteadOfFileFails) {
  Games = {Game(42)};
  EXPECT_FALSE(LoadGames(folder_.text() + u"missing.json"));
  std::filesystem::create_directory(folder_.path() / "games.json");
  EXPECT_FALSE(LoadGames(folder_.text() + u"games.json"));
  EXPECT_EQ(Ids(Games), std::vector<std::int32_t>{42});
}

TEST_F(LoadGamesTest, UnreadableFileFails) {
  const auto file = folder_.write("games.json", "[]");
  std::filesystem::permissions(file, std::filesystem::perms::none);
  if (std::ifstream(file).good()) GTEST_SKIP() << "running with rights that ignore permissions";
  EXPECT_FALSE(LoadGames(ToText(file)));
}

TEST_F(CatalogTest, DemoCatalogReplacesEverything) {
  Games = {Game(99, u"partial")};
  FavoriteIDs = {3};
  LoadDemoGames();
  // What a user sees when games.json cannot be used: eight games with one
  // starred, addresses on the maker's host, and no pictures.
  const struct {
    std::int32_t id;
    const char16_t* url;
    bool favorite;
  } expected[] = {
      {1, u"https://velmar.example/game1", true},  {2, u"https://velmar.example/game2", false},
      {3, u"https://velmar.example/game3", false}, {4, u"https://velmar.example/game4", false},
      {5, u"https://velmar.example/game5", false}, {6, u"https://velmar.example/game6", false},
      {7, u"https://velmar.example/game7", false}, {8, u"https://velmar.example/game8", false},
  };
  ASSERT_EQ(Games.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const TGameInfo& game = Games[i];
    EXPECT_EQ(game.ID, expected[i].id) << i;
    EXPECT_EQ(game.Name, u"Название") << i;
    EXPECT_EQ(game.URL, expected[i].url) << i;
    EXPECT_EQ(game.IsFavorite, expected[i].favorite) << i;
    EXPECT_EQ(game.InfoName, u"Название") << i;
    EXPECT_EQ(game.InfoGenre, u"Жанр") << i;
    EXPECT_EQ(game.InfoDeveloper, u"Разработчик") << i;
    EXPECT_EQ(game.InfoYear, u"2024") << i;
    for (const platform::SharedText* empty :
         {&game.APKUrl, &game.PostImage, &game.QRCodeImage, &game.InfoText1, &game.InfoText2,
          &game.InfoText3, &game.InfoText4, &game.InfoText5, &game.InfoText6, &game.InfoText7,
          &game.InfoText8}) {
      EXPECT_TRUE(empty->empty()) << i;
    }
  }
  // The demo marks game 1 but leaves the stored favourites alone.
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{3});
}

}  // namespace
