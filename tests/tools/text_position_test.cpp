#include "tools/check/text_position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using checker::LineMap;
using checker::TextPosition;

namespace {

struct PositionCase {
  const char* label;
  std::string bytes;
  std::size_t offset;
  TextPosition expected;
};

void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.label; }

class LineMapPositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(LineMapPositions, CountLinesAndCharacters) {
  const PositionCase& c = GetParam();
  EXPECT_EQ(LineMap(c.bytes).At(c.offset), c.expected);
}

// "Ёж" is two characters in four bytes; "😀" one character in four bytes.
INSTANTIATE_TEST_SUITE_P(
    Table, LineMapPositions,
    ::testing::Values(
        PositionCase{"file_start", "[1]", 0, {1, 1}},
        PositionCase{"ascii_column", "[1, 2]", 4, {1, 5}},
        PositionCase{"after_lf", "[\n  1]", 4, {2, 3}},
        PositionCase{"at_lf_itself", "[1\n]", 2, {1, 3}},
        PositionCase{"after_crlf", "[\r\n  1]", 5, {2, 3}},
        PositionCase{"lone_cr_breaks_the_line", "[\r1]", 2, {2, 1}},
        PositionCase{"tab_is_one_character", "\t\t1", 2, {1, 3}},
        PositionCase{"cyrillic_counts_characters", "[\"\xD0\x81\xD0\xB6\", 1]", 9, {1, 8}},
        PositionCase{"four_byte_character", "[\"\xF0\x9F\x98\x80\"]", 6, {1, 4}},
        PositionCase{"byte_order_mark_is_no_column", "\xEF\xBB\xBF[1]", 4, {1, 2}},
        PositionCase{"offset_inside_byte_order_mark", "\xEF\xBB\xBF[1]", 1, {1, 1}},
        PositionCase{
            "byte_order_mark_later_is_a_character", "\xEF\xBB\xBF[\n\xEF\xBB\xBF]", 8, {2, 2}},
        PositionCase{"third_line", "a\nb\nc", 4, {3, 1}},
        PositionCase{"past_the_end_is_the_end", "[1\n]", 99, {2, 2}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace

namespace {

// One map asked about many places, in and out of order, answers as a fresh
// map does for each (a catalog written on one line asks in file order).
TEST(LineMapReuse, AnswersDoNotDependOnEarlierQuestions) {
  const std::string bytes = "[{\"name\":\"Ёжик\"},{\"name\":\"😀\"},\n{\"id\":\"x\"}]";
  const LineMap shared(bytes);
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i <= bytes.size(); i += 3) offsets.push_back(i);
  offsets.push_back(5);  // backwards after the last
  offsets.push_back(bytes.size() - 2);
  for (std::size_t offset : offsets) {
    EXPECT_EQ(shared.At(offset), LineMap(bytes).At(offset)) << "offset " << offset;
  }
}

}  // namespace

namespace {

// Counted the plain way: every line break and character from the start.
TextPosition CountFromStart(const std::string& bytes, std::size_t offset) {
  TextPosition position;
  for (std::size_t i = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0; i < offset; ++i) {
    const char c = bytes[i];
    if (c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      position = {position.line + 1, 1};
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++position.column;
    }
  }
  return position;
}

// A file many times the map's step long, lines of every length and
// characters of every width, asked about far places in both directions.
TEST(LineMapReuse, FarJumpsInBothDirectionsCountAsFromTheStart) {
  std::string bytes = "\xEF\xBB\xBF";
  const char* pieces[] = {"{\"id\":1}", "\xD0\x81", "\xF0\x9F\x98\x80", "\r\n", "\n", "\r", "  "};
  for (std::size_t i = 0; bytes.size() < 20 * LineMap::kStep; ++i) {
    bytes += pieces[(i * 7 + i / 5) % std::size(pieces)];
    if (i % 90 == 0) bytes += std::string(LineMap::kStep + 3, 'x');  // lines longer than a step
  }
  const LineMap map(bytes);
  for (std::size_t i = 0; i < 400; ++i) {
    const std::size_t offset = (i % 2 == 0) ? (i * 977) % bytes.size() : bytes.size() - (i * 131) % bytes.size();
    EXPECT_EQ(map.At(offset), CountFromStart(bytes, offset)) << "offset " << offset;
  }
}

}  // namespace
