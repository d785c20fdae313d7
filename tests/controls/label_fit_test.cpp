// Text stays inside its label: a word wider than the label breaks inside the
// word, only the lines that fit the height are drawn and the last one drawn
// of a cut text ends in "…". Checked by pixels of an offscreen render.

#include "controls_test_support.h"

using namespace fmx;

namespace {

constexpr std::uint32_t kBackground = 0xFF1E1E1E;

TLabel* AddLabel(TForm& form, TRectF box, const std::u16string& text, float size, bool wrap) {
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(box.Left, box.Top, box.Width(), box.Height());
  label->SetStyledSettings(0);
  label->SetFontSize(size);
  label->SetFontColor(0xFFFFFFFF);
  label->SetWordWrap(wrap);
  label->SetText(text);
  return label;
}

// Pixels that are not the background, inside and outside a rectangle.
struct Ink {
  int inside = 0, outside = 0;
};

Ink InkAround(const TSnapshot& shot, TRectF box) {
  Ink ink;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.DevicePixel(x, y) == kBackground) continue;
      (box.Contains({x + 0.5f, y + 0.5f}) ? ink.inside : ink.outside)++;
    }
  }
  return ink;
}

struct FitCase {
  const char* name;
  std::u16string text;
  TRectF box;
  float size;
  bool wrap;
  int shownLines;
  bool cut;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class LabelFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(LabelFit, DrawsOnlyInsideItsRectangle) {
  const FitCase& c = GetParam();
  auto form = MakeForm();
  TLabel* label = AddLabel(*form, c.box, c.text, c.size, c.wrap);
  EXPECT_EQ(label->ShownLineCount(), c.shownLines);
  EXPECT_EQ(label->TextCut(), c.cut);
  EXPECT_EQ(label->Text(), c.text) << "the label keeps its whole text";
  const std::u16string last = label->CutLineText();
  if (c.cut) {
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last.back(), u'…');
    EXPECT_GT(last.size(), 1u) << "some text is left before the ellipsis";
    // The cut line goes on from where the lines above it end.
    EXPECT_NE(c.text.find(last.substr(0, last.size() - 1)), std::u16string::npos);
  } else {
    EXPECT_TRUE(last.empty());
  }
  const Ink ink = InkAround(form->Snapshot(), c.box);
  EXPECT_GT(ink.inside, 20);
  EXPECT_EQ(ink.outside, 0);
}

const std::u16string kLongWord = u"Сверхзвуковойвертолётостроитель";
const std::u16string kLongName =
    u"Очень длинное название игры, которое не помещается даже в три строки списка игр";
const std::u16string kLongInfo = u"Независимая студия разработчиков из Новосибирска";

INSTANTIATE_TEST_SUITE_P(
    Table, LabelFit,
    ::testing::Values(
        // A row's name label: 135 by 50, size 13.
        FitCase{"long_word_breaks_inside_the_word", kLongWord, {50, 20, 185, 70}, 13, true, 2, false},
        FitCase{"long_name_shows_three_lines", kLongName, {50, 20, 185, 70}, 13, true, 3, true},
        // An information label: 100 by 17, size 12.
        FitCase{"long_word_in_one_line", kLongWord, {25, 42, 125, 59}, 12, true, 1, true},
        FitCase{"long_words_in_one_line", kLongInfo, {25, 42, 125, 59}, 12, true, 1, true},
        FitCase{"short_text_is_untouched", u"Гонки", {25, 42, 125, 59}, 12, true, 1, false},
        FitCase{"centred_text_cut", kLongInfo, {20, 100, 140, 140}, 14, true, 2, true},
        // Without word wrap a line too wide for the label is cut at its end.
        FitCase{"one_line_too_wide", kLongInfo, {20, 150, 220, 195}, 12, false, 1, true}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(LabelFit, LabelLowerThanALineStillShowsItsFirstLine) {
  auto form = MakeForm();
  TLabel* label = AddLabel(*form, {20, 20, 120, 28}, u"Жанр и год", 12, true);
  EXPECT_EQ(label->ShownLineCount(), 1);
  EXPECT_FALSE(label->TextCut());
  EXPECT_GT(InkAround(form->Snapshot(), {20, 14, 120, 34}).inside, 20);
}

TEST(LabelFit, ResizingTheLabelShowsMoreOrFewerLines) {
  auto form = MakeForm();
  TLabel* label = AddLabel(*form, {20, 20, 155, 37}, kLongName, 13, true);
  EXPECT_EQ(label->ShownLineCount(), 1);
  label->SetHeight(170);
  EXPECT_EQ(label->ShownLineCount(), label->LineCount());
  EXPECT_FALSE(label->TextCut());
  EXPECT_TRUE(label->CutLineText().empty());
  EXPECT_EQ(InkAround(form->Snapshot(), {20, 20, 155, 190}).outside, 0);
}

// A text of a million characters costs what the lines shown cost: only a
// bounded part of it is laid out, and what is drawn is what a text of its
// first few hundred characters (laid out whole) draws.
struct LongTextCase {
  const char* name;
  std::u16string unit;  // repeated to a million characters
  TRectF box;
  float size;
  bool wrap;
};

void PrintTo(const LongTextCase& c, std::ostream* os) { *os << c.name; }

class LabelOfAMillionCharacters : public ::testing::TestWithParam<LongTextCase> {};

TEST_P(LabelOfAMillionCharacters, LaysOutOnlyWhatDecidesTheLinesShown) {
  const LongTextCase& c = GetParam();
  std::u16string text;
  while (text.size() < 1000000) text += c.unit;
  // Far more than fits, still laid out whole.
  const std::u16string head = text.substr(0, 400);
  auto form = MakeForm();
  TLabel* whole = AddLabel(*form, c.box, head, c.size, c.wrap);
  TLabel* big = AddLabel(*form, c.box, text, c.size, c.wrap);
  ASSERT_EQ(whole->LaidOutLength(), head.size());
  ASSERT_TRUE(whole->TextCut());

  EXPECT_LT(big->LaidOutLength(), 10000u);
  EXPECT_TRUE(big->TextCut());
  EXPECT_EQ(big->ShownLineCount(), whole->ShownLineCount());
  EXPECT_EQ(big->CutLineText(), whole->CutLineText());
  EXPECT_EQ(big->CutLineText().back(), u'…');
  EXPECT_EQ(big->Text().size(), text.size()) << "the text itself is kept whole";
}

INSTANTIATE_TEST_SUITE_P(
    Table, LabelOfAMillionCharacters,
    ::testing::Values(
        LongTextCase{"words_in_a_name_label", u"Ледяной дракон ", {20, 20, 155, 70}, 13, true},
        LongTextCase{"one_word_breaks_anywhere", u"ы", {20, 20, 155, 70}, 13, true},
        LongTextCase{"one_line_without_wrap", u"Пиксельный дрейф ", {20, 80, 220, 97}, 12, false},
        // Characters beyond the first 65,536 are never split in two.
        LongTextCase{"pairs_of_code_units", u"\U0001D400\U0001D401 ", {20, 100, 155, 150}, 13,
                     true}),
    [](const ::testing::TestParamInfo<LongTextCase>& info) { return info.param.name; });

}  // namespace
