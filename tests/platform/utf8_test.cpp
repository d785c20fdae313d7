#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace {

TEST(Utf8, FirstBadByteIsFound) {
  struct Case {
    std::string bytes;
    std::size_t bad;
  };
  const Case cases[] = {
      {"plain ascii text that is longer than eight bytes", platform::kValidUtf8},
      {"\xD0\x81\xD1\x91", platform::kValidUtf8},               // Ёё
      {"\xF0\x9F\x98\x80", platform::kValidUtf8},               // U+1F600
      {"\xF4\x8F\xBF\xBF", platform::kValidUtf8},               // U+10FFFF
      {"abcdefghij\x80", 10},                                   // stray continuation
      {"ab\xC0\xAF", 2},                                        // overlong '/'
      {"ab\xE0\x80\xAF", 2},                                    // overlong 3-byte
      {"ab\xED\xA0\x80", 2},                                    // encoded surrogate
      {"ab\xF4\x90\x80\x80", 2},                                // above U+10FFFF
      {"ab\xF5\x80\x80\x80", 2},                                // invalid lead
      {"ab\xE2\x82", 2},                                        // truncated at the end
      {"ab\xE2\x28\xA1", 2},                                    // bad second byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FindInvalidUtf8(c.bytes), c.bad) << testing::PrintToString(c.bytes);
  }
}

TEST(Utf8, RoundTripsThroughUtf16) {
  const std::string text = "Ёжик \xF0\x9F\x98\x80 Neon";
  const std::u16string wide = platform::Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"Ёжик \U0001F600 Neon");
  EXPECT_EQ(platform::Utf16ToUtf8(wide), text);
}

TEST(Utf8, UnpairedSurrogateBecomesReplacementCharacter) {
  const std::u16string broken = {u'a', char16_t(0xD800), u'b'};
  EXPECT_EQ(platform::Utf16ToUtf8(broken), "a\xEF\xBF\xBD" "b");
}

}  // namespace

namespace {

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {std::string(20, '\x80'), std::u16string(20, u'\uFFFD')},  // stray continuations
      {"a\xD0", u"a\uFFFD"},                                     // truncated at the end
      {"\xC0\xAF!", u"\uFFFD\uFFFD!"},                           // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},                   // encoded surrogate
      {"\xCF\xF0\xE8", u"\uFFFD\uFFFD\uFFFD"},                   // CP1251 text
      {"\xD0\x96\xF0\x9F\x98", u"Ж\uFFFD\uFFFD\uFFFD"},          // good, then cut short
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::Utf8ToUtf16(c.bytes), c.text) << testing::PrintToString(c.bytes);
  }
}

}  // namespace
