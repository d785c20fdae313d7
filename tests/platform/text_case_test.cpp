#include <gtest/gtest.h>

#include "platform/text_case.h"

namespace {

TEST(TextCase, LowerCasesCasedScriptsOnly) {
  struct Case {
    std::u16string in, out;
  };
  const Case cases[] = {
      {u"NEON Drift", u"neon drift"},
      {u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
      {u"ΑΒΓ Ω", u"αβγ ω"},          // Greek
      {u"ÀÉÎ", u"àéî"},              // accents stay, only the case changes
      {u"ё е Ё", u"ё е ё"},          // ё is not folded to е
      {u"123 !?-_", u"123 !?-_"},    // nothing else changes
      {u"\U0001F600", u"\U0001F600"},  // surrogate halves pass unchanged
  };
  for (const Case& c : cases) {
    std::u16string text = c.in;
    platform::LowerCaseInPlace(text);
    EXPECT_EQ(text, c.out);
  }
  EXPECT_EQ(platform::LowerCaseUnit(u'Я'), u'я');
}

}  // namespace
