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

}  // namespace
