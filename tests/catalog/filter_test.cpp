#include "catalog_test_support.h"

using namespace GameData;

namespace {

class FilterTest : public CatalogTest {
 protected:
  std::vector<std::int32_t> Filter(std::u16string_view query) {
    FilterGames(query);
    return Ids(FilteredGames);
  }
};

TEST_F(FilterTest, MatchesNameInfoNameGenreAndDeveloperIgnoringCase) {
  Games = {Game(1, u"Neon Drift", u"Гонки"), Game(2, u"Лабиринт теней", u"Головоломка"),
           Game(3, u"Ёлка"), Game(4, u"елка")};
  Games[0].InfoDeveloper = u"Studio North";
  Games[1].InfoName = u"Shadow Maze";
  Games[2].InfoYear = u"2024";
  Games[2].InfoText1 = u"секрет";
  Games[2].URL = u"https://neon";
  struct Case {
    std::u16string query;
    std::vector<std::int32_t> ids;
  };
  const Case cases[] = {
      {u"", {1, 2, 3, 4}},
      {u"neon", {1}},
      {u"NEON", {1}},
      {u"ЛАБИРИНТ", {2}},
      {u"лабиринт", {2}},
      {u"гонки", {1}},          // genre
      {u"NORTH", {1}},          // developer
      {u"shadow", {2}},         // information name
      {u"ё", {3}},              // ё is not е
      {u"е", {2, 4}},
      {u"2024", {}},            // year is not searched
      {u"секрет", {}},          // free texts are not searched
      {u"https", {}},           // addresses are not searched
      {u"neon ", {1}},          // trailing space matches "Neon Drift"
      {u"drift ", {}},          // but nothing follows "Drift"
      {u" ", {1, 2}},
      {u"zzz", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Filter(c.query), c.ids) << std::string(c.query.begin(), c.query.end());
  }
}

TEST_F(FilterTest, FilteredGamesAreCopies) {
  Games = {Game(1, u"a")};
  FilterGames(u"");
  Games[0].IsFavorite = true;
  EXPECT_FALSE(FilteredGames[0].IsFavorite);
}

TEST_F(FilterTest, FavouritesComeFirstMostRecentFirst) {
  Games = {Game(1, u"ab"), Game(2, u"b"), Game(3, u"c"), Game(4, u"ab"), Game(5, u"ab")};
  FavoriteIDs = {4, 2};
  EXPECT_EQ(Filter(u""), (std::vector<std::int32_t>{2, 4, 1, 3, 5}));
  EXPECT_EQ(Filter(u"a"), (std::vector<std::int32_t>{4, 1, 5}));
  EXPECT_EQ(Filter(u"zzz"), std::vector<std::int32_t>{});
}

TEST_F(FilterTest, OrderFollowsTheIdListNotTheFlag) {
  LoadDemoGames();
  EXPECT_EQ(Filter(u""), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(FilteredGames[0].IsFavorite);
  FavoriteIDs = {3};
  EXPECT_EQ(Filter(u""), (std::vector<std::int32_t>{3, 1, 2, 4, 5, 6, 7, 8}));
  EXPECT_FALSE(FilteredGames[0].IsFavorite);
}

TEST_F(FilterTest, RepeatedAndDuplicateIdsAppearOnce) {
  Games = {Game(1, u"x"), Game(3, u"first"), Game(2, u"y"), Game(3, u"second")};
  FavoriteIDs = {3, 1, 3};
  FilterGames(u"");
  EXPECT_EQ(Ids(FilteredGames), (std::vector<std::int32_t>{3, 1, 2, 3}));
  EXPECT_EQ(FilteredGames[0].Name, u"first");
  EXPECT_EQ(FilteredGames[3].Name, u"second");
}

// The visible copies hold the catalog's own texts, not duplicates of them,
// and a copy changed later does not reach the catalog.
TEST_F(FilterTest, VisibleCopiesShareTheCatalogsTexts) {
  Games = {Game(1, u"Neon Drift", u"Гонки"), Game(2, u"Pixel Maze", u"Логика")};
  FavoriteIDs = {2};
  FilterGames(u"");
  ASSERT_EQ(Ids(FilteredGames), (std::vector<std::int32_t>{2, 1}));
  EXPECT_TRUE(FilteredGames[0].Name.SharesWith(Games[1].Name));
  EXPECT_TRUE(FilteredGames[1].InfoGenre.SharesWith(Games[0].InfoGenre));
  FilteredGames[1].Name = u"changed";
  EXPECT_EQ(Games[0].Name, u"Neon Drift");
}

TEST_F(FilterTest, RebuildsShrinkAndGrowCleanly) {
  Games = {Game(1, u"alpha"), Game(2, u"beta"), Game(3, u"gamma")};
  EXPECT_EQ(Filter(u"mm"), std::vector<std::int32_t>{3});
  EXPECT_EQ(FilteredGames[0], Games[2]);
  EXPECT_EQ(Filter(u""), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(FilteredGames, Games);
}

TEST_F(FilterTest, SortFavoritesFirstAloneReordersTheVisibleList) {
  FilteredGames = {Game(1), Game(2), Game(3)};
  FavoriteIDs = {3, 9};
  SortFavoritesFirst();
  EXPECT_EQ(Ids(FilteredGames), (std::vector<std::int32_t>{3, 1, 2}));
}

}  // namespace
