#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/json_document.h"

namespace json = platform::json;

namespace {

struct RejectCase {
  const char* label;
  std::string bytes;
  json::ParseError::Code code;
  std::size_t offset;
};

void PrintTo(const RejectCase& c, std::ostream* os) { *os << c.label; }

class JsonRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(JsonRejects, FailsWithCodeAndOffset) {
  const RejectCase& c = GetParam();
  json::ParseError error;
  EXPECT_FALSE(json::Parse(c.bytes, &error).has_value());
  EXPECT_EQ(error.code, c.code);
  EXPECT_EQ(error.offset, c.offset) << error.message;
}

using Code = json::ParseError::Code;
INSTANTIATE_TEST_SUITE_P(
    Table, JsonRejects,
    ::testing::Values(
        RejectCase{"empty", "", Code::Syntax, 0},
        RejectCase{"bom_only", "\xEF\xBB\xBF", Code::Syntax, 3},
        RejectCase{"two_boms", "\xEF\xBB\xBF\xEF\xBB\xBF[]", Code::Syntax, 3},
        RejectCase{"text_after_value", "[1] x", Code::Syntax, 4},
        RejectCase{"two_values", "[] []", Code::Syntax, 3},
        RejectCase{"trailing_comma", "[1,]", Code::Syntax, 3},
        // A string the parser did not expect is pointed at by its opening quote.
        RejectCase{"unexpected_string_at_its_start", "[{\"a\": 1 \"bb\": 2}]", Code::Syntax, 9},
        RejectCase{"unexpected_key_after_escape", "[{\"a\\\"\": 1 \"b\": 2}]", Code::Syntax, 11},
        // Runs of whitespace count in full, though the parser sees one byte of each.
        RejectCase{"after_many_line_breaks", "[1,\n\n\n\n \t\r\n]", Code::Syntax, 11},
        RejectCase{"ends_after_line_breaks", "[\n\n\n\n", Code::Syntax, 5},
        RejectCase{"word_after_spaces", "[      x]", Code::Syntax, 7},
        RejectCase{"spaces_inside_strings_are_kept_apart", "[\"a     b\"   x]", Code::Syntax, 13},
        RejectCase{"utf16_le_bom", std::string("\xFF\xFE[\0]\0", 6), Code::Utf8, 0},
        RejectCase{"invalid_byte_after_bom", "\xEF\xBB\xBF[\"\xC0\xAF\"]", Code::Utf8, 5},
        RejectCase{"cp1251_cyrillic", "[\"\xCF\xF0\xE8\"]", Code::Utf8, 2},
        RejectCase{"nul_outside_string", std::string("[1]\0", 4), Code::Syntax, 3},
        RejectCase{"raw_control_in_string", "[\"a\tb\"]", Code::Syntax, 3},
        RejectCase{"lone_surrogate_escape", "[\"\\uD800\"]", Code::Syntax, 8},
        RejectCase{"single_quotes", "['a']", Code::Syntax, 1},
        RejectCase{"leading_zero", "[01]", Code::Syntax, 2},
        RejectCase{"number_overflows_double", "[1e400]", Code::Syntax, 5},  // in the number
        RejectCase{"nul_inside_string", std::string("[\"a\0\"]", 6), Code::Syntax, 3},
        RejectCase{"too_deep", std::string(json::kMaxNesting + 1, '['), Code::TooDeep,
                   static_cast<std::size_t>(json::kMaxNesting)}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(JsonDocument, HundredThousandBracketsFailCleanly) {
  json::ParseError error;
  EXPECT_FALSE(json::Parse(std::string(100000, '['), &error));
  EXPECT_EQ(error.code, json::ParseError::Code::TooDeep);
}

TEST(JsonDocument, NestingUpToTheLimitIsAccepted) {
  const std::string text =
      std::string(json::kMaxNesting, '[') + std::string(json::kMaxNesting, ']');
  EXPECT_TRUE(json::Parse(text).has_value());
}

TEST(JsonDocument, OneLeadingByteOrderMarkIsSkipped) {
  const auto document = json::Parse("\xEF\xBB\xBF [1] \n");
  ASSERT_TRUE(document);
  EXPECT_TRUE(document->root().isArray());
  EXPECT_EQ(document->root().size(), 1u);
}

TEST(JsonDocument, MembersKeepFileOrderAndFirstDuplicateWins) {
  const auto document = json::Parse(R"({"b":1,"a":2,"b":3,"A":4})");
  ASSERT_TRUE(document);
  const json::Value root = document->root();
  std::vector<std::string> names;
  for (json::Value member : root) names.emplace_back(member.name());
  EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "b", "A"}));
  EXPECT_EQ(root.member("b")->text(), "1");
  EXPECT_EQ(root.member("A")->text(), "4");
  EXPECT_FALSE(root.member("c").has_value());
}

TEST(JsonDocument, NumbersKeepTheirTextAndWholeness) {
  struct Case {
    const char* written;
    const char* text;
    bool whole;
  };
  const Case cases[] = {
      {"7", "7", true},
      {"0", "0", true},
      {"-0", "-0", true},
      {"-0.0", "-0.0", false},
      {"-2147483649", "-2147483649", true},
      {"123456789012345678901234567890", "123456789012345678901234567890", true},
      {"1.50", "1.50", false},
      {"1E3", "1E3", false},
      {"7.0", "7.0", false},
      {"-0.0e-2", "-0.0e-2", false},
  };
  for (const Case& c : cases) {
    const auto document = json::Parse(std::string("[") + c.written + "]");
    ASSERT_TRUE(document) << c.written;
    const json::Value number = *document->root().begin();
    EXPECT_EQ(number.kind(), json::Kind::Number) << c.written;
    EXPECT_EQ(number.text(), c.text);
    EXPECT_EQ(number.isWholeNumber(), c.whole) << c.written;
  }
}

TEST(JsonDocument, StringsAreDecodedAndNestedContainersSkipWhole) {
  const auto document =
      json::Parse(R"([{"x":[1,[2,{"y":3}]],"s":"a\"\u0416\ud83d\ude00\u0000"}, true, null])");
  ASSERT_TRUE(document);
  const json::Value root = document->root();
  ASSERT_EQ(root.size(), 3u);
  auto it = root.begin();
  const json::Value object = *it;
  EXPECT_EQ(object.size(), 2u);
  EXPECT_EQ(object.member("s")->text(),
            std::string("a\"\xD0\x96\xF0\x9F\x98\x80", 8) + std::string(1, '\0'));
  ++it;
  EXPECT_EQ((*it).kind(), json::Kind::Boolean);
  EXPECT_TRUE((*it).boolean());
  ++it;
  EXPECT_TRUE((*it).isNull());
  ++it;
  EXPECT_TRUE(it == root.end());
}

}  // namespace

namespace {

TEST(JsonDocument, ValuesAndNamesKnowTheirByteOffsets) {
  // Offsets count the byte-order mark: "[" is at 3.
  const std::string text = "\xEF\xBB\xBF[ {\"a\" : 12 , \"b\":[true,\"x\"]},\n -3.5e1 ,7]";
  const auto document = json::Parse(text);
  ASSERT_TRUE(document);
  const json::Value root = document->root();
  EXPECT_EQ(root.position(), 3u);
  auto it = root.begin();
  const json::Value object = *it;
  EXPECT_EQ(object.position(), text.find('{'));
  const json::Value a = *object.member("a");
  EXPECT_EQ(a.namePosition(), text.find("\"a\""));
  EXPECT_EQ(a.position(), text.find("12"));
  const json::Value b = *object.member("b");
  EXPECT_EQ(b.namePosition(), text.find("\"b\""));
  EXPECT_EQ(b.position(), text.find("[true"));
  auto inner = b.begin();
  EXPECT_EQ((*inner).position(), text.find("true"));
  ++inner;
  EXPECT_EQ((*inner).position(), text.find("\"x\""));
  ++it;
  EXPECT_EQ((*it).position(), text.find("-3.5e1"));
  ++it;
  EXPECT_EQ((*it).position(), text.find("7]"));
}

}  // namespace
