// Search, favourites, buttons and links, driven through the control layer.

#include "main_form_fixture.h"
#include "texts/texts.h"

using namespace GameData;

namespace {

constexpr std::uint32_t kSelected = 0x40008BCC;

using ActionsTest = MainFormTest;

TEST_F(ActionsTest, TypingFiltersAndKeepsTheSelectedGame) {
  Open();
  Form().ClickAt(RowX(), RowY(1));  // Бета, id 2
  Access().edtSearch()->TypeText(u"бе");
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{2, 2}));
  EXPECT_EQ(Access().SelectedIndex(), 0);
  EXPECT_EQ(Access().SelectedGameID(), 2);
  EXPECT_EQ(RowColor(0), kSelected);
  EXPECT_EQ(Access().InfoTexts()[1], u"Аркада");
}

TEST_F(ActionsTest, QueryMatchingNothingClearsSelectionAndDetails) {
  Open();
  Access().edtSearch()->TypeText(u"zzz");
  EXPECT_TRUE(VisibleIds().empty());
  EXPECT_TRUE(Access().GamePanels().empty());
  EXPECT_EQ(Access().SelectedIndex(), -1);
  EXPECT_EQ(Access().SelectedGameID(), -1);
  EXPECT_EQ(Access().InfoTexts()[0], u"......................");
  EXPECT_EQ(Access().lblPosterText()->Text(), u"Картинка");
  Form().ClickAt(720, 590);  // Play
  Form().ClickAt(428, 550);  // APK
  EXPECT_EQ(notices_, (std::vector<std::u16string>{u"Сначала выберите игру", u"Сначала выберите игру"}));
  EXPECT_TRUE(opened_.empty());
}

// A query that lists nothing clears the highlight and shows the placeholders
// but keeps the selected game in mind: the next query that lists it selects
// it again. Each case starts with Бета (id 2, row 1) selected.
struct EmptyResultStep {
  enum Kind { Type, Backspace, ReplaceQuery, ClickStar } kind;
  std::u16string text;  // Type, ReplaceQuery
  int row = 0;          // ClickStar
};

struct EmptyResultCase {
  const char* name;
  std::vector<EmptyResultStep> steps;
  std::vector<std::int32_t> visible;
  std::int32_t selectedIndex;
  std::int32_t selectedID;
  std::u16string genreShown;
  std::vector<std::int32_t> favorites;
};

class EmptyResultTest : public MainFormTest,
                        public ::testing::WithParamInterface<EmptyResultCase> {};

TEST_P(EmptyResultTest, SelectedGameSurvivesAnEmptyList) {
  const EmptyResultCase& c = GetParam();
  Open();
  Form().ClickAt(RowX(), RowY(1));
  ASSERT_EQ(Access().SelectedGameID(), 2);
  bool sawEmpty = false;
  for (const EmptyResultStep& step : c.steps) {
    switch (step.kind) {
      case EmptyResultStep::Type:
        Access().edtSearch()->TypeText(step.text);
        break;
      case EmptyResultStep::Backspace:
        Access().edtSearch()->PressBackspace();
        break;
      case EmptyResultStep::ReplaceQuery:
        Access().edtSearch()->SelectAll();
        Access().edtSearch()->TypeText(step.text);
        break;
      case EmptyResultStep::ClickStar:
        Form().ClickAt(StarX(), RowY(step.row));
        break;
    }
    if (!VisibleIds().empty()) continue;
    sawEmpty = true;
    EXPECT_TRUE(Access().GamePanels().empty());
    EXPECT_EQ(Access().SelectedIndex(), -1);
    EXPECT_EQ(Access().SelectedGameID(), 2) << "the game is remembered";
    EXPECT_EQ(Access().InfoTexts()[0], u"......................");
    EXPECT_EQ(Access().lblPosterText()->Text(), u"Картинка");
  }
  EXPECT_TRUE(sawEmpty) << "the steps never listed nothing";
  EXPECT_EQ(VisibleIds(), c.visible);
  EXPECT_EQ(Access().SelectedIndex(), c.selectedIndex);
  EXPECT_EQ(Access().SelectedGameID(), c.selectedID);
  ASSERT_LT(std::size_t(c.selectedIndex), Access().GamePanels().size());
  EXPECT_EQ(RowColor(c.selectedIndex), kSelected);
  EXPECT_EQ(Access().InfoTexts()[1], c.genreShown);
  EXPECT_EQ(FavoriteIDs, c.favorites);
}

void PrintTo(const EmptyResultCase& c, std::ostream* os) { *os << c.name; }

using S = EmptyResultStep;
INSTANTIATE_TEST_SUITE_P(
    Table, EmptyResultTest,
    ::testing::Values(
        EmptyResultCase{"typo_then_backspace",
                        {{S::Type, u"бетz"}, {S::Backspace, u""}},
                        {2, 2}, 0, 2, u"Аркада", {}},
        EmptyResultCase{"no_match_then_a_query_listing_the_game",
                        {{S::Type, u"qqq"}, {S::ReplaceQuery, u"а"}},
                        {1, 2, -3, 2}, 1, 2, u"Аркада", {}},
        EmptyResultCase{"no_match_then_a_query_without_the_game",
                        {{S::Type, u"qqq"}, {S::ReplaceQuery, u"Racer"}},
                        {1}, 0, 1, u"Гонки", {}},
        EmptyResultCase{"star_click_during_the_empty_result",
                        {{S::Type, u"qqq"},
                         {S::ClickStar, u"", 0},  // no row, no star: nothing happens
                         {S::Backspace, u""}, {S::Backspace, u""}, {S::Backspace, u""},
                         {S::ClickStar, u"", 2}},  // Zero, id 0: ignored
                        {1, 2, 0, -3, 2}, 1, 2, u"Аркада", {}},
        EmptyResultCase{"star_click_after_the_game_came_back",
                        {{S::Type, u"qqq"}, {S::ReplaceQuery, u"бета"}, {S::ClickStar, u"", 1}},
                        {2, 2}, 0, 2, u"Аркада", {2}}),
    [](const ::testing::TestParamInfo<EmptyResultCase>& info) { return info.param.name; });

TEST_F(ActionsTest, DeletingTheWholeQueryListsEverythingAgain) {
  settings_.write("Velmar/favorites.json", "[0]");
  Open();
  Access().edtSearch()->TypeText(u"Alpha");
  EXPECT_EQ(VisibleIds(), std::vector<std::int32_t>{1});
  Access().edtSearch()->SelectAll();
  Access().edtSearch()->PressBackspace();
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{0, 1, 2, -3, 2}));
  EXPECT_EQ(Access().SelectedGameID(), 1);  // Alpha followed at its row
  EXPECT_EQ(RowColor(1), kSelected);
}

TEST_F(ActionsTest, SelectedGameWithoutPositiveIdIsNotFollowed) {
  Open();
  Form().ClickAt(RowX(), RowY(2));  // Zero, id 0
  Access().edtSearch()->TypeText(u"e");  // Zero still listed, but cannot be found by id
  EXPECT_EQ(Access().SelectedIndex(), 0);
  EXPECT_EQ(Access().SelectedGameID(), VisibleIds()[0]);
  EXPECT_EQ(RowColor(0), kSelected);
}

TEST_F(ActionsTest, StarringAnUnselectedGameMovesItUpAndKeepsTheSelection) {
  Open();
  Form().ClickAt(StarX(), RowY(3));  // -3: not positive, ignored
  EXPECT_TRUE(FavoriteIDs.empty());
  Form().ClickAt(StarX(), RowY(1));  // Бета, id 2
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[2]"));  // written at once
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{2, 1, 0, -3, 2}));
  EXPECT_EQ(StarText(0), u"★");
  EXPECT_EQ(StarText(4), u"☆");  // the second game with id 2 is not flagged
  EXPECT_EQ(Access().SelectedGameID(), 1);
  EXPECT_EQ(Access().SelectedIndex(), 1);
  EXPECT_EQ(RowColor(1), kSelected);
  EXPECT_EQ(RowColor(0), 0xFF2D2D2Du);
}

TEST_F(ActionsTest, StarringTheSelectedGameAndUnstarringIt) {
  Open();
  Form().ClickAt(RowX(), RowY(1));
  Form().ClickAt(StarX(), RowY(0));  // Alpha, id 1, not selected
  Form().ClickAt(StarX(), RowY(1));  // Бета, selected, still at row 1
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[1,2]"));
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{2, 1, 0, -3, 2}));
  EXPECT_EQ(Access().SelectedIndex(), 0);
  EXPECT_EQ(Access().SelectedGameID(), 2);
  Form().ClickAt(StarX(), RowY(0));  // unstar Бета
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[1]"));
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{1, 2, 0, -3, 2}));
  EXPECT_EQ(StarText(1), u"☆");
  EXPECT_EQ(Access().SelectedIndex(), 1);
}

TEST_F(ActionsTest, StarClickWithASearchKeepsTheSearch) {
  Open();
  Access().edtSearch()->TypeText(u"бета");
  Form().ClickAt(StarX(), RowY(1));  // the second Бета: flags the first record with id 2
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{2});
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{2, 2}));
  EXPECT_EQ(RowName(0), u"Бета");
}

TEST_F(ActionsTest, PlayAndApkOpenTheSelectedGamesAddressesOrExplain) {
  Open();
  Form().ClickAt(720, 590);   // Play, Alpha
  Form().ClickAt(428, 550);   // APK, Alpha
  Form().ClickAt(RowX(), RowY(1));
  Form().ClickAt(720, 590);   // Бета has no URL
  Form().ClickAt(428, 550);
  EXPECT_EQ(opened_, (std::vector<std::u16string>{u"https://example.org/alpha",
                                                  u"https://example.org/alpha.apk",
                                                  u"https://example.org/beta.apk"}));
  EXPECT_EQ(notices_, std::vector<std::u16string>{u"URL не указан для этой игры"});
}

TEST_F(ActionsTest, OnlyWebAddressesReachTheShell) {
  Open();
  Form().ClickAt(RowX(), RowY(2));  // Zero: blank URL, file: APK
  Form().ClickAt(720, 590);
  Form().ClickAt(428, 550);
  Form().ClickAt(RowX(), RowY(4));  // calc.exe
  Form().ClickAt(720, 590);
  Form().ClickAt(RowX(), RowY(3));  // HTTPS in capitals; no APK address
  Form().ClickAt(720, 590);
  Form().ClickAt(428, 550);
  EXPECT_EQ(opened_, std::vector<std::u16string>{u"HTTPS://example.org/negative"});
  EXPECT_EQ(notices_, std::vector<std::u16string>{u"APK ссылка не указана для этой игры"});
}

TEST_F(ActionsTest, TelegramAndTheFooterLinkOpenTheMakersAddresses) {
  data_.write("games.json", "[]");
  Open();
  Form().ClickAt(720, 42);  // on the Telegram button's icon area
  Form().ClickAt(Access().lblFooterLink()->AbsoluteRect().Left + 5, 655);
  Form().ClickAt(200, 655);  // the notice: nothing
  // The addresses the program was built with, each to its own control.
  EXPECT_EQ(opened_, (std::vector<std::u16string>{std::u16string(texts::kTelegramChannelURL),
                                                  std::u16string(texts::kWebSiteURL)}));
  EXPECT_NE(texts::kTelegramChannelURL, texts::kWebSiteURL);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(ActionsTest, ButtonsAndLinkChangeColourUnderThePointer) {
  Open();
  auto a = Access();
  struct Case {
    fmx::TRectangle* button;
    float x, y;
    std::uint32_t normal, hover;
  };
  const Case cases[] = {{a.btnTelegram(), 710, 42, 0xFF2AABEE, 0xFF3ABFF8},
                        {a.btnPlay(), 710, 590, 0xFF4CAF50, 0xFF5CBF60},
                        {a.btnAPK(), 383, 550, 0xFF8BC34A, 0xFF9BD25A}};
  for (const Case& c : cases) {
    Form().PointerMove(c.x, c.y);
    EXPECT_EQ(c.button->FillColor(), c.hover);
    Form().PointerMove(c.button->AbsoluteRect().Left + 50, c.y);  // over its label or icon
    EXPECT_EQ(c.button->FillColor(), c.hover);
    Form().PointerMove(5, 5);
    EXPECT_EQ(c.button->FillColor(), c.normal);
  }
  const float linkX = a.lblFooterLink()->AbsoluteRect().Left + 5;
  Form().PointerMove(linkX, 655);
  EXPECT_EQ(a.lblFooterLink()->FontColor(), 0xFF3ABFF8u);
  Form().PointerMove(200, 655);
  EXPECT_EQ(a.lblFooterLink()->FontColor(), 0xFF2AABEEu);
}

TEST_F(ActionsTest, SelectionOutsideTheListCountsAsNone) {
  Open();
  Access().SelectGame(5);
  EXPECT_EQ(Access().SelectedGameID(), -1);
  Form().ClickAt(720, 590);
  EXPECT_EQ(notices_, std::vector<std::u16string>{u"Сначала выберите игру"});
}

}  // namespace
