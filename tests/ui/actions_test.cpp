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

// After a rebuild that does not select the game again (it is not listed, or
// its ID is not above 0), no row is highlighted, Play and APK have nothing to
// act on, and the details go on showing that game; a later list that holds
// it selects it again. Each case starts with Alpha (row 0) selected.
struct SelectionStep {
  enum Kind { Click, Type, Backspace, ClearQuery, Star, KeyInList } kind;
  int row = 0;              // Click, Star
  std::u16string text;      // Type
  fmx::TKey key = 0;        // KeyInList
};

struct SelectionCase {
  const char* name;
  std::vector<SelectionStep> steps;
  std::vector<std::int32_t> visible;
  int highlighted;             // the row shown selected; -1: none
  std::int32_t selectedID;     // FSelectedGameID
  std::u16string nameShown;    // the details' first information line
  std::u16string playGives;    // what Play opens, or the notice it shows
};

class SelectionAfterRebuild : public MainFormTest,
                              public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionAfterRebuild, FollowsTheGameOrHighlightsNothing) {
  const SelectionCase& c = GetParam();
  Open();
  for (const SelectionStep& step : c.steps) {
    switch (step.kind) {
      case SelectionStep::Click: Form().ClickAt(RowX(), RowY(step.row)); break;
      case SelectionStep::Type: Access().edtSearch()->TypeText(step.text); break;
      case SelectionStep::Backspace: Access().edtSearch()->PressBackspace(); break;
      case SelectionStep::ClearQuery:
        Access().edtSearch()->SelectAll();
        Access().edtSearch()->PressBackspace();
        break;
      case SelectionStep::Star: Form().ClickAt(StarX(), RowY(step.row)); break;
      case SelectionStep::KeyInList:
        Access().sbGames()->SetFocus();
        Form().PressKey(step.key);
        break;
    }
  }
  EXPECT_EQ(VisibleIds(), c.visible);
  const std::int32_t index = Access().SelectedIndex();
  const auto rows = Access().GamePanels();
  if (c.highlighted < 0) {
    // Denotes no entry, now or after any later rebuild, and is not negative,
    // so the next rebuild does not select the first row.
    EXPECT_GE(index, 0);
    EXPECT_GE(std::size_t(index), std::size_t(1) << 30);
  } else {
    EXPECT_EQ(index, c.highlighted);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(RowColor(int(i)), int(i) == c.highlighted ? kSelected : 0xFF2D2D2Du) << "row " << i;
    EXPECT_EQ(rows[i]->AccessibleSelected(), int(i) == c.highlighted) << "row " << i;
  }
  EXPECT_EQ(Access().SelectedGameID(), c.selectedID);
  EXPECT_EQ(Access().InfoTexts()[0], c.nameShown);
  Form().ClickAt(720, 590);  // Play
  const std::vector<std::u16string>& said = opened_.empty() ? notices_ : opened_;
  EXPECT_EQ(said, std::vector<std::u16string>{c.playGives});
}

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

SelectionStep ClickRow(int row) { return {SelectionStep::Click, row, u"", 0}; }
SelectionStep Type(std::u16string text) { return {SelectionStep::Type, 0, std::move(text), 0}; }
SelectionStep Backspace() { return {SelectionStep::Backspace, 0, u"", 0}; }
SelectionStep ClearQuery() { return {SelectionStep::ClearQuery, 0, u"", 0}; }
SelectionStep StarRow(int row) { return {SelectionStep::Star, row, u"", 0}; }
SelectionStep KeyInList(fmx::TKey key) { return {SelectionStep::KeyInList, 0, u"", key}; }

const std::u16string kChooseFirst = u"Сначала выберите игру";
INSTANTIATE_TEST_SUITE_P(
    Table, SelectionAfterRebuild,
    ::testing::Values(
        SelectionCase{"query_hides_the_selected_game",
                      {ClickRow(1), Type(u"al")},
                      {1}, -1, 2, u"Бета", kChooseFirst},
        SelectionCase{"query_lists_nothing",
                      {ClickRow(1), Type(u"zzz")},
                      {}, -1, 2, u"Бета", kChooseFirst},
        SelectionCase{"typo_then_backspace_brings_it_back",
                      {ClickRow(1), Type(u"бетz"), Backspace()},
                      {2, 2}, 0, 2, u"Бета", u"URL не указан для этой игры"},
        SelectionCase{"hidden_then_another_query_without_it",
                      {ClickRow(1), Type(u"qqq"), ClearQuery(), Type(u"Racer")},
                      {1}, -1, 2, u"Бета", kChooseFirst},
        SelectionCase{"hidden_then_the_whole_list_again",
                      {ClickRow(1), Type(u"al"), ClearQuery()},
                      {1, 2, 0, -3, 2}, 1, 2, u"Бета", u"URL не указан для этой игры"},
        // A star click while no row is selected changes no selection, and
        // the hidden game is still followed afterwards.
        SelectionCase{"star_while_the_game_is_hidden",
                      {ClickRow(1), Type(u"al"), StarRow(0), ClearQuery()},
                      {1, 2, 0, -3, 2}, 1, 2, u"Бета", u"URL не указан для этой игры"},
        // A game whose ID is 0 cannot be followed: the starred game does not
        // become selected, nor does the first row.
        SelectionCase{"game_with_id_0_then_a_star",
                      {ClickRow(2), StarRow(0)},
                      {1, 2, 0, -3, 2}, -1, 0, u"Zero", kChooseFirst},
        SelectionCase{"game_with_id_0_then_a_query_listing_it",
                      {ClickRow(2), Type(u"e")},
                      {1, 0}, -1, 0, u"Zero", kChooseFirst},
        // With no row selected, Down, Home and Page Down select the first.
        SelectionCase{"no_row_then_down",
                      {ClickRow(1), Type(u"a"), Type(u"l"),
                       KeyInList(fmx::vkDown)},
                      {1}, 0, 1, u"Альфа", u"https://example.org/alpha"},
        SelectionCase{"no_row_then_home",
                      {ClickRow(1), Type(u"al"), KeyInList(fmx::vkHome)},
                      {1}, 0, 1, u"Альфа", u"https://example.org/alpha"},
        SelectionCase{"no_row_then_page_down",
                      {ClickRow(1), Type(u"al"), KeyInList(fmx::vkNext)},
                      {1}, 0, 1, u"Альфа", u"https://example.org/alpha"}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });

TEST_F(ActionsTest, DeletingTheWholeQueryListsEverythingAgain) {
  settings_.write("Velmar/favorites.json", "[0]");
  Open();
  Access().edtSearch()->TypeText(u"Alpha");
  EXPECT_EQ(VisibleIds(), std::vector<std::int32_t>{1});
  Form().ClickAt(RowX(), RowY(0));
  Access().edtSearch()->SelectAll();
  Access().edtSearch()->PressBackspace();
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{0, 1, 2, -3, 2}));
  EXPECT_EQ(Access().SelectedGameID(), 1);  // Alpha followed at its row
  EXPECT_EQ(RowColor(1), kSelected);
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
