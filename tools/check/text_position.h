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

// Turns byte offsets of one file into line and column. The bytes must
// outlive the map.
class LineMap {
 public:
  explicit LineMap(std::string_view bytes);
  // Offsets past the end count as the end.
  TextPosition At(std::size_t offset) const;

 private:
  std::string_view bytes_;
  std::vector<std::size_t> lineStarts_;
  // The last place asked for, to go on from.
  mutable std::size_t lastLine_ = static_cast<std::size_t>(-1);
  mutable std::size_t lastOffset_ = 0;
  mutable std::size_t lastColumn_ = 1;
};

}  // namespace checker
