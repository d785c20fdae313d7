// The window driven from the keyboard alone: real key events go to whatever
// holds the focus (the window's widget or the search box's native edit), and
// the outcome is read from the focus, the selection, the shell seam, the
// notices and favorites.json.

#include <filesystem>

#include "main_form_fixture.h"
#include "texts/texts.h"

namespace {


struct Key {
  fmx::TKey key;
  unsigned shift = 0;
  std::u16string text = {};
};

const Key kTab{fmx::vkTab}, kBackTab{fmx::vkTab, fmx::ssShift}, kUp{fmx::vkUp}, kDown{fmx::vkDown},
    kHome{fmx::vkHome}, kEnd{fmx::vkEnd}, kPageUp{fmx::vkPrior}, kPageDown{fmx::vkNext},
    kEnter{fmx::vkReturn, 0, u"\r"}, kSpace{fmx::vkSpace, 0, u" "}, kEscape{fmx::vkEscape, 0, u"\x1b"},
    kCtrlD{'D', fmx::ssCtrl, u"\x04"}, kCtrlF{'F', fmx::ssCtrl, u"\x06"}, kF3{fmx::vkF3};

Key Char(char16_t c) { return Key{0, 0, std::u16string(1, c)}; }

struct KeyCase {
  const char* label;
  std::vector<Key> keys;
  std::vector<std::string> focusAfterEachKey;  // empty: not checked
  std::string focus;                           // after the last key
  int selected;
  std::u16string search;
  std::vector<std::u16string> opened;
  std::vector<std::u16string> notices;
  std::string favorites;  // bytes of favorites.json; "-" for no file
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.label; }

class KeySequences : public MainFormTest, public ::testing::WithParamInterface<KeyCase> {
 protected:
  std::string FocusName() {
    auto a = Access();
    const fmx::TControl* focused = Form().Focused();
    const std::pair<const fmx::TControl*, const char*> names[] = {
        {a.edtSearch(), "search"}, {a.sbGames(), "list"},         {a.btnPlay(), "play"},
        {a.btnAPK(), "apk"},       {a.btnTelegram(), "telegram"}, {a.lblFooterLink(), "link"}};
    for (const auto& [control, name] : names) {
      if (focused == control) return name;
    }
    return focused ? "other" : "none";
  }
};

TEST_P(KeySequences, EndWhereTheUserExpects) {
  const KeyCase& c = GetParam();
  Open();
  std::vector<std::string> path;
  for (const Key& key : c.keys) {
    Form().PressKey(key.key, key.shift, key.text);
    path.push_back(FocusName());
  }
  if (!c.focusAfterEachKey.empty()) {
    EXPECT_EQ(path, c.focusAfterEachKey);
  }
  EXPECT_EQ(FocusName(), c.focus);
  EXPECT_EQ(Access().SelectedIndex(), c.selected);
  EXPECT_EQ(Access().edtSearch()->Text(), c.search);
  EXPECT_EQ(opened_, c.opened);
  EXPECT_EQ(notices_, c.notices);
  const bool written = std::filesystem::exists(settings_.path() / "Velmar" / "favorites.json");
  EXPECT_EQ(written ? FavoritesBytes() : std::string("-"), c.favorites);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeySequences,
    ::testing::Values(
        KeyCase{"tab_follows_the_task_and_wraps",
                {kTab, kTab, kTab, kTab, kTab, kTab, kTab},
                {"search", "list", "play", "apk", "telegram", "link", "search"},
                "search", 0, u"", {}, {}, "-"},
        KeyCase{"shift_tab_goes_backwards_from_the_start",
                {kBackTab, kBackTab, kBackTab},
                {"link", "telegram", "apk"},
                "apk", 0, u"", {}, {}, "-"},
        KeyCase{"down_leaves_the_search_box_and_walks_the_rows",
                {kTab, kDown, kDown, kDown, kUp},
                {"search", "list", "list", "list", "list"},
                "list", 1, u"", {}, {}, "-"},
        KeyCase{"up_on_the_first_row_and_down_on_the_last_stay",
                {kTab, kTab, kUp, kEnd, kDown},
                {}, "list", 4, u"", {}, {}, "-"},
        KeyCase{"home_end_and_pages",
                {kTab, kTab, kEnd, kHome, kPageDown, kPageUp},
                {}, "list", 0, u"", {}, {}, "-"},
        KeyCase{"page_down_moves_by_the_rows_that_fit_or_to_the_end",
                {kTab, kTab, kPageDown},
                {}, "list", 4, u"", {}, {}, "-"},
        KeyCase{"enter_in_the_list_plays_the_selected_game",
                {kTab, kTab, kEnter},
                {}, "list", 0, u"", {u"https://example.org/alpha"}, {}, "-"},
        KeyCase{"enter_on_a_game_without_address_explains",
                {kTab, kTab, kDown, kEnter},
                {}, "list", 1, u"", {}, {u"URL не указан для этой игры"}, "-"},
        KeyCase{"space_stars_like_a_click_and_keeps_the_selection",
                {kTab, kTab, kDown, kSpace},
                {}, "list", 0, u"", {}, {}, testing_support::WithByteOrderMark("[2]")},
        KeyCase{"each_space_stars_the_game_then_selected",
                {kTab, kTab, kDown, kSpace, kDown, kSpace},
                {}, "list", 0, u"", {}, {}, testing_support::WithByteOrderMark("[2,1]")},
        KeyCase{"ctrl_d_stars_and_unstars",
                {kTab, kTab, kCtrlD, kCtrlD},
                {}, "list", 0, u"", {}, {}, testing_support::WithByteOrderMark("[]")},
        KeyCase{"a_game_without_positive_id_cannot_be_starred",
                {kTab, kTab, kDown, kDown, kSpace},
                {}, "list", 2, u"", {}, {}, "-"},
        KeyCase{"typing_in_the_list_types_into_the_search_box",
                {kTab, kTab, kDown, Char(u'б'), Char(u'е')},
                {"search", "list", "list", "search", "search"},
                "search", 0, u"бе", {}, {}, "-"},
        KeyCase{"escape_clears_the_query_then_goes_to_the_list",
                {kTab, kTab, kDown, Char(u'б'), kEscape, kEscape},
                {"search", "list", "list", "search", "search", "list"},
                "list", 1, u"", {}, {}, "-"},
        KeyCase{"ctrl_f_selects_the_query_so_typing_replaces_it",
                {kTab, Char(u'a'), kDown, kCtrlF, Char(u'l')},
                {"search", "search", "list", "search", "search"},
                "search", 0, u"l", {}, {}, "-"},
        KeyCase{"f3_from_a_button",
                {kBackTab, kF3, Char(u'a'), kF3, Char(u'A')},
                {"link", "search", "search", "search", "search"},
                "search", 0, u"A", {}, {}, "-"},
        KeyCase{"tab_leaves_the_search_box_after_typing",
                {kTab, Char(u'e'), kTab, kBackTab},
                {"search", "search", "list", "search"},
                "search", 0, u"e", {}, {}, "-"},
        KeyCase{"enter_and_space_press_the_buttons_and_the_link",
                {kTab, kTab, kTab, kEnter, kTab, kSpace, kTab, kEnter, kTab, kSpace},
                {}, "link", 0, u"",
                {u"https://example.org/alpha", u"https://example.org/alpha.apk",
                 std::u16string(texts::kTelegramChannelURL), std::u16string(texts::kWebSiteURL)},
                {}, "-"},
        KeyCase{"buttons_keep_their_notices_and_address_rule",
                {kTab, kTab, kDown, kDown, kTab, kEnter, kTab, kEnter},
                {}, "apk", 2, u"", {}, {}, "-"}),
    [](const auto& info) { return std::string(info.param.label); });

using KeyboardTest = MainFormTest;

// The focus ring appears only once the keyboard moved the focus; a click
// focuses without it; hover colours stay the pointer's.
TEST_F(KeyboardTest, FocusRingOnlyAfterKeyboardUse) {
  Open();
  const auto ringAtListEdge = [this] { return Form().Snapshot().Pixel(700, 300); };
  EXPECT_EQ(ringAtListEdge(), 0xFF1E1E1Eu);
  Form().ClickAt(RowX(), RowY(1));
  EXPECT_EQ(Form().Focused(), Access().sbGames());
  EXPECT_FALSE(Form().FocusVisible());
  EXPECT_EQ(ringAtListEdge(), 0xFF1E1E1Eu);
  Form().PressKey(fmx::vkTab);  // to Play
  Form().PressKey(fmx::vkTab, fmx::ssShift);  // back to the list
  EXPECT_TRUE(Form().FocusVisible());
  EXPECT_TRUE(ColorNear(ringAtListEdge(), 0xFF008BCC, 24));
  Form().PressKey(fmx::vkTab);
  EXPECT_EQ(Access().btnPlay()->FillColor(), 0xFF4CAF50u);  // no hover colour
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(700, 590), 0xFF008BCC, 24));
  Form().ClickAt(200, 655);  // a click elsewhere: no focus, no ring
  EXPECT_EQ(Form().Focused(), nullptr);
  EXPECT_EQ(Form().Snapshot().Pixel(700, 590), 0xFF1E1E1Eu);
}

// Keys scroll the list just enough to show the whole selected row.
TEST_F(KeyboardTest, SelectedRowIsScrolledIntoViewNoMoreThanNeeded) {
  std::string catalog = "[";
  for (int i = 1; i <= 30; ++i) catalog += (i > 1 ? "," : "") + std::string("{\"name\":\"G\"}");
  data_.write("games.json", catalog + "]");
  Open();
  auto* box = Access().sbGames();
  Form().PressKey(fmx::vkTab);
  Form().PressKey(fmx::vkTab);
  const std::pair<Key, float> steps[] = {
      {kDown, 0},                  // row 1 is in view already
      {kPageDown, 58 * 8 + 50 - 438.0f},  // row 8 ends at 514
      {kUp, 58 * 8 + 50 - 438.0f},       // row 7 still fully shown
      {kEnd, 58 * 29 + 50 - 438.0f},
      {kPageUp, 58 * 22.0f},             // row 22 starts above the view
      {kHome, 0}};
  for (const auto& [key, position] : steps) {
    Form().PressKey(key.key, key.shift, key.text);
    EXPECT_FLOAT_EQ(box->ViewportPositionY(), position) << "after selecting row " << Access().SelectedIndex();
  }
  EXPECT_EQ(Access().SelectedIndex(), 0);
}

// A click in a row moves the keyboard to the list.
TEST_F(KeyboardTest, ClickingARowLetsTheArrowsGoOn) {
  Open();
  Form().ClickAt(RowX(), RowY(2));
  Form().PressKey(fmx::vkDown);
  EXPECT_EQ(Access().SelectedIndex(), 3);
  EXPECT_FALSE(Form().FocusVisible());
}

}  // namespace
