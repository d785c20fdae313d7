// Runs the reader over the shared JSONTestSuite and UTF-8 corpora. They are
// not part of this repository; without them these tests skip.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/json_document.h"
#include "platform/utf8.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

fs::path SharedFolder(const char* name) { return fs::path(VELMAR_SHARED_DIR) / name; }

#define SKIP_WITHOUT(folder)                                                             \
  if (!fs::is_directory(folder))                                                         \
  GTEST_SKIP() << "conformance corpus not found at " << (folder).string()                 \
               << " (it lives in the shared folder beside the repository)"

// The implementation-defined cases, decided by this reader's rules.
const std::map<std::string, std::pair<bool, const char*>>& ImplementationDefined() {
  static const std::map<std::string, std::pair<bool, const char*>> decisions = {
      {"i_number_double_huge_neg_exp.json", {true, "underflows to zero; the text is kept"}},
      {"i_number_real_underflow.json", {true, "underflows to zero; the text is kept"}},
      {"i_number_too_big_neg_int.json", {true, "beyond 64 bits but a finite double"}},
      {"i_number_too_big_pos_int.json", {true, "beyond 64 bits but a finite double"}},
      {"i_number_very_big_negative_int.json", {true, "beyond 64 bits but a finite double"}},
      {"i_number_huge_exp.json", {false, "overflows a double: the parser refuses it"}},
      {"i_number_neg_int_huge_exp.json", {false, "overflows a double"}},
      {"i_number_pos_double_huge_exp.json", {false, "overflows a double"}},
      {"i_number_real_neg_overflow.json", {false, "overflows a double"}},
      {"i_number_real_pos_overflow.json", {false, "overflows a double"}},
      {"i_object_key_lone_2nd_surrogate.json", {false, "unpaired surrogate escape"}},
      {"i_string_1st_surrogate_but_2nd_missing.json", {false, "unpaired surrogate escape"}},
      {"i_string_1st_valid_surrogate_2nd_invalid.json", {false, "unpaired surrogate escape"}},
      {"i_string_incomplete_surrogate_and_escape_valid.json", {false, "unpaired surrogate"}},
      {"i_string_incomplete_surrogate_pair.json", {false, "unpaired surrogate escape"}},
      {"i_string_incomplete_surrogates_escape_valid.json", {false, "unpaired surrogates"}},
      {"i_string_invalid_lonely_surrogate.json", {false, "unpaired surrogate escape"}},
      {"i_string_invalid_surrogate.json", {false, "unpaired surrogate escape"}},
      {"i_string_inverted_surrogates_U+1D11E.json", {false, "surrogates in the wrong order"}},
      {"i_string_lone_second_surrogate.json", {false, "unpaired surrogate escape"}},
      {"i_string_UTF-16LE_with_BOM.json", {false, "only a UTF-8 byte-order mark is known"}},
      {"i_string_utf16BE_no_BOM.json", {false, "UTF-16 is not UTF-8 text"}},
      {"i_string_utf16LE_no_BOM.json", {false, "UTF-16 is not UTF-8 text"}},
      {"i_string_UTF-8_invalid_sequence.json", {false, "strict UTF-8"}},
      {"i_string_UTF8_surrogate_U+D800.json", {false, "strict UTF-8: encoded surrogate"}},
      {"i_string_invalid_utf-8.json", {false, "strict UTF-8"}},
      {"i_string_iso_latin_1.json", {false, "strict UTF-8: no code page fallback"}},
      {"i_string_lone_utf8_continuation_byte.json", {false, "strict UTF-8"}},
      {"i_string_not_in_unicode_range.json", {false, "strict UTF-8: above U+10FFFF"}},
      {"i_string_overlong_sequence_2_bytes.json", {false, "strict UTF-8: overlong"}},
      {"i_string_overlong_sequence_6_bytes.json", {false, "strict UTF-8: overlong"}},
      {"i_string_overlong_sequence_6_bytes_null.json", {false, "strict UTF-8: overlong"}},
      {"i_string_truncated-utf-8.json", {false, "strict UTF-8: truncated"}},
      {"i_structure_500_nested_arrays.json", {true, "within the nesting limit"}},
      {"i_structure_UTF-8_BOM_empty_object.json", {true, "one leading byte-order mark"}},
  };
  return decisions;
}

TEST(JsonTestSuite, EveryFileIsJudgedByItsPrefix) {
  const fs::path folder = SharedFolder("jsontestsuite");
  SKIP_WITHOUT(folder);
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".json") continue;
    ++seen;
    const std::string bytes = testing_support::ReadBytes(entry.path());
    const bool accepted = platform::json::Parse(bytes).has_value();
    switch (name[0]) {
      case 'y':
        EXPECT_TRUE(accepted) << name;
        break;
      case 'n':
        EXPECT_FALSE(accepted) << name;
        break;
      case 'i': {
        const auto& decisions = ImplementationDefined();
        const auto decision = decisions.find(name);
        ASSERT_NE(decision, decisions.end()) << "no decision recorded for " << name;
        EXPECT_EQ(accepted, decision->second.first) << name << ": " << decision->second.second;
        break;
      }
      default:
        break;
    }
  }
  EXPECT_GT(seen, 300) << "the corpus looks incomplete";
}

// utf8tests.bin: records "number:valid:bytes" or "number:invalid:bytes", one
// per line; a record's bytes may themselves hold a line feed.
TEST(Utf8Corpus, FlennikenCasesAreJudgedRight) {
  const fs::path folder = SharedFolder("utf8") / "flenniken-utf8tests";
  SKIP_WITHOUT(folder);
  const std::string bytes = testing_support::ReadBytes(folder / "utf8tests.bin");
  struct Record {
    std::string id;
    bool valid;
    std::string bytes;
  };
  std::vector<Record> records;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 1;
    const std::size_t colon = line.find(':');
    const bool header =
        colon != std::string::npos && colon > 0 &&
        line.find_first_not_of("0123456789.") == colon &&
        (line.compare(colon, 7, ":valid:") == 0 || line.compare(colon, 9, ":invalid:") == 0);
    if (header) {
      const bool valid = line.compare(colon, 7, ":valid:") == 0;
      records.push_back({line.substr(0, colon), valid, line.substr(colon + (valid ? 7 : 9))});
    } else if (!records.empty()) {
      records.back().bytes += '\n' + line;
    }
  }
  ASSERT_GT(records.size(), 200u);
  for (const Record& record : records) {
    const bool valid = platform::FindInvalidUtf8(record.bytes) == platform::kValidUtf8;
    EXPECT_EQ(valid, record.valid) << "case " << record.id;
  }
}

TEST(Utf8Corpus, KuhnStressTestIsRejectedAtItsFirstMalformedSection) {
  const fs::path file = SharedFolder("utf8") / "kuhn" / "UTF-8-test.txt";
  if (!fs::exists(file)) GTEST_SKIP() << "UTF-8 stress test not found at " << file.string();
  const std::string bytes = testing_support::ReadBytes(file);
  const std::size_t bad = platform::FindInvalidUtf8(bytes);
  ASSERT_NE(bad, platform::kValidUtf8);
  // Everything before the first malformed byte is valid and decodes.
  EXPECT_EQ(platform::FindInvalidUtf8(std::string_view(bytes).substr(0, bad)),
            platform::kValidUtf8);
  EXPECT_FALSE(platform::Utf8ToUtf16(std::string_view(bytes).substr(0, bad)).empty());
}

}  // namespace
