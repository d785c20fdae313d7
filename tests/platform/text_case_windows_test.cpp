// The search's lower-casing on Windows is the system's own, CharLowerBuffW.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/text_case.h"

namespace {

wchar_t SystemLower(char16_t unit) {
  wchar_t text[1] = {static_cast<wchar_t>(unit)};
  CharLowerBuffW(text, 1);
  return text[0];
}

TEST(TextCaseWindows, EveryUnitIsLowerCasedAsCharLowerBuffWDoesIt) {
  int differing = 0;
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    const auto u = static_cast<char16_t>(unit);
    // A surrogate half alone is no character; it passes unchanged.
    const wchar_t expected = unit >= 0xD800 && unit <= 0xDFFF ? u : SystemLower(u);
    if (platform::LowerCaseUnit(u) != static_cast<char16_t>(expected) && ++differing <= 10) {
      ADD_FAILURE() << "U+" << std::hex << unsigned(unit) << ": " << unsigned(platform::LowerCaseUnit(u))
                    << " instead of " << unsigned(expected);
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(TextCaseWindows, ATextIsLowerCasedAsTheSystemLowerCasesItWhole) {
  std::u16string text = u"ЗВЁЗДНЫЙ Картограф, NEON Drift, ΑΒΓ, ÀÉÎ, İstanbul, ǅ, Ⅻ, Ａ";
  std::wstring system(text.begin(), text.end());
  CharLowerBuffW(system.data(), static_cast<DWORD>(system.size()));
  platform::LowerCaseInPlace(text);
  EXPECT_EQ(std::wstring(text.begin(), text.end()), system);
  EXPECT_EQ(text.substr(0, 18), u"звёздный картограф");
}

}  // namespace
