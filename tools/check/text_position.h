#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace checker {

// A place in a text file as editors count it, both from 1: lines end at
// "\n", "\r\n" or a lone "\r"; a column counts characters (UTF-8 code
// points, a tab is one), and a leading byte-order mark is not one.
struct TextPosition {
  std::size_t line = 1;
  std::size_t column = 1;
  friend bool operator==(const TextPosition&, const TextPosition&) = default;
};

// Turns byte offsets of one file into line and column, in any order and at
// a bounded cost each: it keeps the place of every kStep-th byte and counts
// on from the nearest one. The bytes must outlive the map.
class LineMap {
 public:
  explicit LineMap(std::string_view bytes);
  // Offsets past the end count as the end.
  TextPosition At(std::size_t offset) const;

  static constexpr std::size_t kStep = 256;

 private:
  // The place of the byte after `at`, given the place of the byte at `at`.
  TextPosition Next(std::size_t at, TextPosition position) const;

  std::string_view bytes_;
  std::size_t start_;  // after the byte-order mark
  std::vector<TextPosition> checkpoints_;  // place of byte start_ + i * kStep
};

}  // namespace checker
