#include "controls_test_support.h"
#include "platform/controls/text_layout.h"

using namespace fmx;

namespace {

float Width(const std::u16string& text, float size = 12) {
  TTextLayout layout;
  layout.BeginUpdate();
  layout.SetFontSize(size);
  layout.SetMaxSize(10000, 100);
  layout.SetText(text);
  layout.EndUpdate();
  return layout.TextWidth();
}

TEST(TextLayout, TrailingSpacesCount) {
  const float word = Width(u"или");
  const float space = Width(u" ");
  EXPECT_GT(space, 1.0f);
  EXPECT_NEAR(Width(u"или "), word + space, 0.5f);
  EXPECT_NEAR(Width(u"или   "), word + 3 * space, 1.0f);
}

TEST(TextLayout, WiderForLargerTextAndEmptyIsZero) {
  EXPECT_GT(Width(u"САЙТА", 24), Width(u"САЙТА", 12) * 1.8f);
  EXPECT_EQ(Width(u""), 0.0f);
}

TEST(TextLayout, LabelAsWideAsItsMeasuredTextKeepsItOnOneLine) {
  auto form = MakeForm();
  const std::u16string notice = u"Для обновления программы скачайте новую версию с нашего Telegram или ";
  TLabel label(form.get());
  label.SetStyledSettings(0);
  label.SetFontSize(12);
  label.SetText(notice);
  label.SetSize(Width(notice), 50);
  EXPECT_EQ(label.LineCount(), 1);
  label.SetWidth(Width(notice) / 2);
  EXPECT_GT(label.LineCount(), 1);  // narrower: words wrap
}

}  // namespace
