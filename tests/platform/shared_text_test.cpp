#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/shared_text.h"
#include "support/peak_memory.h"

using platform::SharedText;

TEST(SharedText, CopiesShareTheCharactersAndOutliveTheOriginal) {
  auto original = std::make_unique<SharedText>(u"Лабиринт теней");
  const SharedText copy = *original;
  EXPECT_TRUE(copy.SharesWith(*original));
  SharedText assigned;
  assigned = copy;
  EXPECT_TRUE(assigned.SharesWith(copy));
  original.reset();
  EXPECT_EQ(copy, u"Лабиринт теней");
  EXPECT_EQ(assigned, u"Лабиринт теней");
}

TEST(SharedText, AssigningCharactersLeavesOtherCopiesAlone) {
  SharedText a(u"first");
  const SharedText b = a;
  a = u"second";
  EXPECT_EQ(a, u"second");
  EXPECT_EQ(b, u"first");
  EXPECT_FALSE(a.SharesWith(b));
}

TEST(SharedText, AssigningItsOwnCharactersKeepsThem) {
  SharedText text(u"Северный экспресс");
  const SharedText other = text;
  text = text.View();
  EXPECT_EQ(text, u"Северный экспресс");
  text = text.View().substr(9);
  EXPECT_EQ(text, u"экспресс");
  SharedText self(u"same");
  self = std::as_const(self);
  EXPECT_EQ(self, u"same");
  EXPECT_EQ(other, u"Северный экспресс");
}

TEST(SharedText, MovingLeavesTheSourceEmpty) {
  SharedText a(u"text");
  SharedText& alias = a;
  a = std::move(alias);  // onto itself: nothing changes
  EXPECT_EQ(a, u"text");
  SharedText b = std::move(a);
  EXPECT_TRUE(a.empty());  // NOLINT(bugprone-use-after-move): the moved-from state is what is tested
  EXPECT_EQ(b, u"text");
  SharedText c(u"other");
  c = std::move(b);
  EXPECT_TRUE(b.empty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(c, u"text");
}

TEST(SharedText, ComparesByCharacters) {
  const struct {
    std::u16string_view a, b;
    bool equal;
  } cases[] = {
      {u"", u"", true},
      {u"Ёжик", u"Ёжик", true},
      {u"Ёжик", u"ёжик", false},
      {u"a", u"", false},
      {std::u16string_view(u"a\0b", 3), std::u16string_view(u"a\0c", 3), false},
  };
  for (const auto& c : cases) {
    const SharedText a(c.a), b(c.b);
    EXPECT_EQ(a == b, c.equal) << testing::PrintToString(a) << " " << testing::PrintToString(b);
    EXPECT_EQ(a == c.b, c.equal);
    EXPECT_EQ(a.size(), c.a.size());
    EXPECT_EQ(a.empty(), c.a.empty());
    EXPECT_EQ(a.ToString(), std::u16string(c.a));
  }
}

// Texts are laid side by side in shared blocks of memory. Each keeps its
// characters whatever happens to its neighbours, across block boundaries and
// for texts too large to share a block; under the sanitizers a miscounted
// block shows as a leak or as a read of freed memory.
TEST(SharedText, TextsKeepTheirCharactersWhateverTheirNeighboursDo) {
  const auto textFor = [](std::size_t i) {
    return std::u16string(i % 40 + 1, char16_t(u'a' + i % 26));
  };
  std::vector<SharedText> texts;
  for (std::size_t i = 0; i < 20000; ++i) texts.emplace_back(textFor(i));
  // Either side of the longest text a chunk takes, and far beyond it.
  const SharedText longest(std::u16string(SharedText::kLongestInChunk, u'ж'));
  const SharedText longer(std::u16string(SharedText::kLongestInChunk + 1, u'з'));
  const SharedText large(std::u16string(100000, u'я'));
  std::vector<std::pair<std::size_t, SharedText>> kept;
  for (std::size_t i = 0; i < texts.size(); i += 997) kept.emplace_back(i, texts[i]);
  texts.clear();
  for (std::size_t i = 0; i < 5000; ++i) texts.emplace_back(textFor(i + 7));
  for (const auto& [i, text] : kept) EXPECT_EQ(text, textFor(i)) << i;
  for (std::size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(texts[i], textFor(i + 7)) << i;
  EXPECT_EQ(longest, std::u16string(SharedText::kLongestInChunk, u'ж'));
  EXPECT_EQ(longer, std::u16string(SharedText::kLongestInChunk + 1, u'з'));
  const SharedText longerCopy = longer;
  EXPECT_TRUE(longerCopy.SharesWith(longer));
  ASSERT_EQ(large.size(), 100000u);
  EXPECT_EQ(large[0], u'я');
  EXPECT_EQ(large[99999], u'я');
}

// Long texts cost about what the same characters cost in standard strings,
// on either side of the longest text a chunk holds and far beyond it: 16 MB
// of characters held both ways. (A comparison, not a figure: the sanitizers
// add their own share to every allocation.) Everything stays held to the
// end, so that no measurement reuses memory an earlier one freed.
TEST(SharedText, LongTextsCostWhatStringsCost) {
  constexpr std::size_t kCharacterBytes = std::size_t{16} << 20;
  std::vector<std::u16string> strings;
  std::vector<SharedText> texts;
  const auto peakGrowth = [&](auto& held, std::size_t length) {
    const std::u16string characters(length, u'ю');
    const std::size_t count = kCharacterBytes / (length * sizeof(char16_t));
    held.reserve(held.size() + count);
    const auto growth = testing_support::PeakGrowthDuring([&] {
      for (std::size_t i = 0; i < count; ++i) held.emplace_back(characters);
    });
    return growth.value_or(0);
  };
  for (const std::size_t length : {SharedText::kLongestInChunk - 1, SharedText::kLongestInChunk,
                                   SharedText::kLongestInChunk + 1, std::size_t{20000}}) {
    const std::size_t asStrings = peakGrowth(strings, length);
    if (asStrings == 0) GTEST_SKIP() << "the system does not tell the peak resident size";
    const std::size_t asTexts = peakGrowth(texts, length);
    EXPECT_LT(asTexts, asStrings / 4 * 5 + (std::size_t{2} << 20))
        << length << " characters: " << (asTexts >> 10) << " KiB as shared texts, "
        << (asStrings >> 10) << " KiB as strings";
  }
}
