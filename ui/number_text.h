#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

// A number in decimal, built in place: every row of a rebuild makes one,
// and a heap copy for each showed in the profile.
class TNumberText {
 public:
  explicit TNumberText(std::int64_t value) {
    char digits[kNumberLength];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (const char* d = digits; d != end; ++d) text_[size_++] = char16_t(*d);
  }
  std::u16string_view View() const { return {text_.data(), size_}; }

 private:
  static constexpr std::size_t kNumberLength = 20;  // "-9223372036854775808"
  std::array<char16_t, kNumberLength> text_{};
  std::size_t size_ = 0;
};
