#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalog/game_data.h"
#include "checker_test_support.h"
#include "platform/controls/picture_check.h"
#include "platform/files.h"
#include "support/peak_memory.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using checker::CheckCatalogFolder;
using checker::Report;
using checker::Severity;
using ::testing::ElementsAreArray;

namespace {

// The checker runs with the decoders found as velmar-check finds them.
class PictureDecodersEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { decoders_ = std::make_unique<fmx::PictureDecoders>(argc_, argv_); }
  void TearDown() override { decoders_.reset(); }

 private:
  int argc_ = 1;
  char name_[13] = "checker_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<fmx::PictureDecoders> decoders_;
};

[[maybe_unused]] ::testing::Environment* const kDecoders =
    ::testing::AddGlobalTestEnvironment(new PictureDecodersEnvironment);

// --- findings in games.json -------------------------------------------------

struct CatalogCase {
  const char* label;
  std::string bytes;
  std::vector<std::string> expected;
};

void PrintTo(const CatalogCase& c, std::ostream* os) { *os << c.label; }

class CatalogFindings : public CheckerTest, public ::testing::WithParamInterface<CatalogCase> {
 protected:
  void TearDown() override { GameData::ClearLists(); }
};

TEST_P(CatalogFindings, AreTheExpectedLinesInFileOrder) {
  const CatalogCase& c = GetParam();
  CopyIcons();
  WriteCatalog(c.bytes);
  const Report report = CheckCatalogFolder(folder_.text());
  EXPECT_THAT(Lines(report), ElementsAreArray(c.expected));
  // An error is exactly what makes the program give up on games.json.
  const bool loads = GameData::LoadGames(folder_.text() + u"games.json");
  EXPECT_EQ(loads, report.Count(Severity::Error) == 0);
  if (loads) {
    EXPECT_EQ(report.games, GameData::Games.size());
  }
}

const std::string kNoURL = "Play says \"URL не указан для этой игры\"";

INSTANTIATE_TEST_SUITE_P(
    Errors, CatalogFindings,
    ::testing::Values(
        CatalogCase{
            "utf8_after_cyrillic",
            "[{\"name\": \"Привет\xCF\xF0\"}]",
            {"DATA/games.json:1:18: error: byte 0xCF is not UTF-8; save the file as UTF-8 [utf8]"}},
        CatalogCase{"utf16",
                    std::string("\xFF\xFE[\0]\0", 6),
                    {"DATA/games.json:1:1: error: the file is UTF-16; save it as UTF-8 [utf8]"}},
        CatalogCase{"trailing_comma",
                    "[\n  {\"id\": 1, \"url\": \"https://v/1\"},\n]",
                    {"DATA/games.json:3:1: error: expected a value after ',', found ']' "
                     "(remove the last comma) [json-syntax]"}},
        // A missing closer is told where the structure shows it.
        CatalogCase{"object_left_open_before_the_next_game",
                    "[\n  {\"id\": 1, \"url\": \"https://v/1\"\n  {\"id\": 2}\n]",
                    {"DATA/games.json:3:3: error: expected '}' to close the object opened at 2:3, "
                     "found '{' [json-syntax]"}},
        CatalogCase{"array_closed_by_a_brace",
                    "[{\"a\": [1, 2}]",
                    {"DATA/games.json:1:13: error: expected ']' to close the array opened at 1:8, "
                     "found '}' [json-syntax]"}},
        CatalogCase{"object_closed_by_a_bracket",
                    "[{\"id\": 1]",
                    {"DATA/games.json:1:10: error: expected '}' to close the object opened at 1:2, "
                     "found ']' [json-syntax]"}},
        CatalogCase{"missing_comma",
                    "[{\"id\": 1 \"name\": \"x\"}]",
                    {"DATA/games.json:1:11: error: expected ',' or '}', found a string "
                     "(missing comma?) [json-syntax]"}},
        CatalogCase{"unknown_word_after_cyrillic",
                    "[{\"name\": \"Ёж\", \"id\": tru}]",
                    {"DATA/games.json:1:26: error: unknown word \"tru\"; the only words are true, "
                     "false and null, and text needs double quotes [json-syntax]"}},
        CatalogCase{"byte_order_mark_is_no_column",
                    "\xEF\xBB\xBF[1,]",
                    {"DATA/games.json:1:4: error: expected a value after ',', found ']' "
                     "(remove the last comma) [json-syntax]"}},
        CatalogCase{"windows_path_in_text",
                    "[{\"post\":\"C:\\games\"}]",
                    {"DATA/games.json:1:14: error: a backslash in text starts an escape such as "
                     "\\n; write \\\\ for a backslash itself [json-syntax]"}},
        CatalogCase{"empty_file",
                    "",
                    {"DATA/games.json:1:1: error: the file is empty; it must hold an array [ ... ] "
                     "of games [json-syntax]"}},
        CatalogCase{"nesting_too_deep",
                    std::string(600, '['),
                    {"DATA/games.json:1:513: error: arrays and objects nested more than 512 levels "
                     "deep [json-syntax]"}},
        CatalogCase{
            "not_array",
            "\n  {\"id\": 1}",
            {"DATA/games.json:2:3: error: the catalog must be an array [ ... ] of games, not "
             "an object [not-array]"}},
        CatalogCase{
            "elements_not_objects_and_the_rest_still_checked",
            "[{\"id\": 1}, 2, \"x\"]",
            {"DATA/games.json:1:2: warning: the game has no \"url\"; " + kNoURL +
                 " [address-not-opened]",
             "DATA/games.json:1:13: error: element 2 of the catalog is a number, not a game "
             "object { ... } [element-not-object]",
             "DATA/games.json:1:16: error: element 3 of the catalog is a string, not a game "
             "object { ... } [element-not-object]"}}),
    [](const auto& info) { return std::string(info.param.label); });

// How the reader's syntax errors are told, one row per kind of mistake.
INSTANTIATE_TEST_SUITE_P(
    SyntaxErrors, CatalogFindings,
    ::testing::Values(
        CatalogCase{"single_quotes",
                    "[{'a':1}]",
                    {"DATA/games.json:1:3: error: text and member names need double quotes, not "
                     "single quotes [json-syntax]"}},
        CatalogCase{"comment",
                    "[] // games",
                    {"DATA/games.json:1:4: error: comments are not allowed in JSON [json-syntax]"}},
        CatalogCase{"text_after_the_catalog",
                    "[] trailing",
                    {"DATA/games.json:1:6: error: unexpected \"trailing\" after the end of the "
                     "catalog [json-syntax]"}},
        CatalogCase{"second_array",
                    "[][]",
                    {"DATA/games.json:1:3: error: unexpected '[' after the end of the catalog "
                     "[json-syntax]"}},
        CatalogCase{"file_ends_early",
                    "[{\"id\":1}",
                    {"DATA/games.json:1:10: error: the file ends too early: expected ',' or ']' "
                     "[json-syntax]"}},
        CatalogCase{"unterminated_text",
                    "[\"abc",
                    {"DATA/games.json:1:6: error: text has no closing quote [json-syntax]"}},
        CatalogCase{"line_break_in_text",
                    "[\"abc\ndef\"]",
                    {"DATA/games.json:1:6: error: inside text, control character U+000A (LF) must "
                     "be escaped to \\u000A or \\n [json-syntax]"}},
        CatalogCase{"missing_colon",
                    "[{\"a\"}]",
                    {"DATA/games.json:1:6: error: expected ':' after the member name, found '}' "
                     "[json-syntax]"}},
        CatalogCase{"bad_number",
                    "[-a]",
                    {"DATA/games.json:1:3: error: invalid number: expected digit after '-' "
                     "[json-syntax]"}},
        CatalogCase{"nul_byte",
                    std::string("[\0]", 3),
                    {"DATA/games.json:1:2: error: unexpected NUL byte; if the file is UTF-16, save "
                     "it as UTF-8 [json-syntax]"}},
        CatalogCase{"second_byte_order_mark",
                    "\xEF\xBB\xBF\xEF\xBB\xBF[]",
                    {"DATA/games.json:1:1: error: a second byte-order mark; only one may start the "
                     "file [json-syntax]"}}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Warnings, CatalogFindings,
    ::testing::Values(
        CatalogCase{
            "id_not_whole",
            "[\n{\"url\": \"https://v/1\"},\n{\"url\": \"https://v/2\"},\n"
            "{\"id\": 7.5, \"url\": \"https://v/3\"}\n]",
            {"DATA/games.json:4:8: warning: \"id\" 7.5 is not a whole number; the game gets "
             "id 3 (its position) [wrong-type]"}},
        CatalogCase{
            "id_kinds",
            "[\n{\"id\": \"7a\", \"url\": \"https://v/1\"},\n"
            "{\"id\": [2], \"url\": \"https://v/2\"},\n"
            "{\"id\": 3000000000, \"url\": \"https://v/3\"},\n"
            "{\"id\": 4e0, \"url\": \"https://v/4\"}\n]",
            {"DATA/games.json:2:8: warning: \"id\" \"7a\" is not an integer the program "
             "reads; the game gets id 1 (its position) [wrong-type]",
             "DATA/games.json:3:8: warning: \"id\" is an array, not a number; the game gets "
             "id 2 (its position) [wrong-type]",
             "DATA/games.json:4:8: warning: \"id\" 3000000000 is outside "
             "-2147483648..2147483647; the game gets id 3 (its position) [wrong-type]",
             "DATA/games.json:5:8: warning: \"id\" 4e0 is not written as a whole number; the "
             "game gets id 4 (its position) [wrong-type]"}},
        CatalogCase{
            "text_kinds",
            "[{\"name\": [\"x\"], \"url\": \"https://v/1\",\n"
            "  \"info\": {\"name\": {}, \"genre\": [1]}}]",
            {"DATA/games.json:1:11: warning: \"name\" is an array, not text; the program "
             "uses \"\" instead [wrong-type]",
             "DATA/games.json:2:20: warning: \"name\" in \"info\" is an object, not text; the "
             "program uses the game's name instead [wrong-type]",
             "DATA/games.json:2:33: warning: \"genre\" in \"info\" is an array, not text; the "
             "program uses \"\" instead [wrong-type]"}},
        CatalogCase{"info_not_object",
                    "[{\"url\": \"https://v/1\", \"info\": \"Аркада\"}]",
                    {"DATA/games.json:1:33: warning: \"info\" is a string, not an object; the "
                     "program ignores it and the details show only the game's name [wrong-type]"}},
        CatalogCase{
            "unknown_keys",
            "[{\"url\": \"https://v/1\", \"apkURL\": \"https://v/1.apk\",\n"
            "  \"Name\": \"Ёж\", \"genre\": \"Аркада\", \"colour\": 1,\n"
            "  \"info\": {\"text9\": \"x\", \"url\": \"y\", \"yeer\": \"2020\"}}]",
            {"DATA/games.json:1:25: warning: unknown key \"apkURL\" is ignored; did you mean "
             "\"apkUrl\"? [unknown-key]",
             "DATA/games.json:2:3: warning: unknown key \"Name\" is ignored; did you mean "
             "\"name\"? [unknown-key]",
             "DATA/games.json:2:17: warning: unknown key \"genre\" is ignored; it belongs "
             "inside \"info\" [unknown-key]",
             "DATA/games.json:2:36: warning: unknown key \"colour\" is ignored [unknown-key]",
             "DATA/games.json:3:12: warning: unknown key \"text9\" in \"info\" is ignored; the "
             "details show only \"text1\" to \"text8\" [unknown-key]",
             "DATA/games.json:3:26: warning: unknown key \"url\" in \"info\" is ignored; it "
             "belongs in the game, outside \"info\" [unknown-key]",
             "DATA/games.json:3:38: warning: unknown key \"yeer\" in \"info\" is ignored; did "
             "you mean \"year\"? [unknown-key]"}},
        CatalogCase{
            "duplicate_keys",
            "[{\"name\": \"first\", \"url\": \"https://v/1\",\n"
            "  \"name\": \"second\", \"info\": {\"genre\": \"a\", \"genre\": \"b\"}}]",
            {"DATA/games.json:2:3: warning: duplicate key \"name\" is ignored; the first one "
             "(line 1, column 3) is used [duplicate-key]",
             "DATA/games.json:2:44: warning: duplicate key \"genre\" in \"info\" is ignored; "
             "the first one (line 2, column 30) is used [duplicate-key]"}},
        CatalogCase{
            "duplicate_and_non_positive_ids",
            "[\n{\"id\": 2, \"url\": \"https://v/1\"},\n{\"url\": \"https://v/2\"},\n"
            "{\"id\": \"0x2\", \"url\": \"https://v/3\"},\n"
            "{\"id\": false, \"url\": \"https://v/4\"},\n"
            "{\"id\": -3, \"url\": \"https://v/5\"}\n]",
            {"DATA/games.json:3:1: warning: id 2 (its position) is already used by game 1 "
             "(line 2, column 8); selection and star clicks act on the first of them [duplicate-id]",
             "DATA/games.json:4:8: warning: id 2 is already used by game 1 (line 2, column "
             "8); selection and star clicks act on the first of them [duplicate-id]",
             "DATA/games.json:5:8: warning: id 0 is not positive; the game cannot be made a "
             "favourite [id-not-positive]",
             "DATA/games.json:6:8: warning: id -3 is not positive; the game cannot be made a "
             "favourite [id-not-positive]"}},
        CatalogCase{
            "addresses",
            "[\n{\"name\": \"a\"},\n{\"url\": \"\", \"apkUrl\": \"\"},\n"
            "{\"url\": \"ftp://v/3\", \"apkUrl\": \"file:///x.apk\"},\n"
            "{\"url\": \"HTTPS://V/4\", \"apkUrl\": null},\n{\"url\": null}\n]",
            {"DATA/games.json:2:1: warning: the game has no \"url\"; " + kNoURL +
                 " [address-not-opened]",
             "DATA/games.json:3:9: warning: \"url\" is empty; " + kNoURL + " [address-not-opened]",
             "DATA/games.json:3:23: warning: \"apkUrl\" is empty; the APK button says \"APK "
             "ссылка не указана для этой игры\" [address-not-opened]",
             "DATA/games.json:4:9: warning: \"url\" \"ftp://v/3\" is not an http or https "
             "address; Play does nothing [address-not-opened]",
             "DATA/games.json:4:32: warning: \"apkUrl\" \"file:///x.apk\" is not an http or "
             "https address; the APK button does nothing [address-not-opened]",
             "DATA/games.json:6:9: warning: \"url\" is null; " + kNoURL + " [address-not-opened]"}},
        CatalogCase{"values_that_convert_are_fine",
                    "[{\"id\": \"0x1f\", \"name\": 5, \"url\": \"http://v/1\", \"apkUrl\": "
                    "\"https://v/1.apk\", \"info\": null},\n"
                    " {\"id\": true, \"name\": false, \"url\": \"https://v/2\", \"post\": \"\","
                    " \"info\": {\"year\": 2024, \"text8\": \"x\", \"name\": null}}]",
                    {}},
        CatalogCase{"empty_catalog", "[]", {}}),
    [](const auto& info) { return std::string(info.param.label); });

// --- pictures ---------------------------------------------------------------

TEST_F(CheckerTest, PicturesAreJudgedAsTheWindowLoadsThem) {
  WriteCatalog(
      "[\n"
      "{\"url\": \"https://v/1\", \"post\": \"poster.jpg\", \"qrcode\": \"qr.png\"},\n"
      "{\"url\": \"https://v/2\", \"post\": \"missing.png\", \"qrcode\": \"broken.png\"},\n"
      "{\"url\": \"https://v/3\", \"post\": \"poster.webp\", \"qrcode\": \"sub\\\\qr.png\"}\n"
      "]");
  CopySample("assets/post/turbo-yozhik.jpg", "assets/post/poster.jpg");
  CopySample("assets/qrcod/turbo-yozhik-qr.png", "assets/qrcod/qr.png");
  CopySample("assets/qrcod/turbo-yozhik-qr.png", "assets/qrcod/sub/qr.png");
  CopySample("assets/post/neon-kolibri.png", "assets/post/poster.webp");
  folder_.write("assets/qrcod/broken.png", "not a picture");
  folder_.write("assets/icon/telegram-icon.png", "not a picture");

  // What the decoder says about a broken file is its own wording.
  std::string brokenReason;
  ASSERT_FALSE(fmx::CanDecodePicture(folder_.text() + u"assets/qrcod/broken.png", &brokenReason));
  const Report report = CheckCatalogFolder(folder_.text());
  EXPECT_THAT(
      Lines(report),
      ElementsAreArray(std::vector<std::string>{
          "DATA/games.json:3:32: warning: poster \"missing.png\" not found at "
          "DATA/assets/post/missing.png; the poster area shows \"Картинка\" [missing-file]",
          "DATA/games.json:3:57: warning: QR image \"broken.png\" cannot be shown: " +
              brokenReason + "; the QR square stays empty [undecodable-image]",
          "DATA/games.json:4:32: warning: poster \"poster.webp\" cannot be shown: unsupported "
          "picture "
          "format; the poster area shows \"Ошибка загрузки\" [undecodable-image]",
          "DATA/assets/icon/apk-icon.png: warning: icon not found; the APK button shows no icon "
          "[missing-file]",
          "DATA/assets/icon/telegram-icon.png: warning: icon cannot be shown: " + brokenReason +
              "; the Telegram button shows its caption only [undecodable-image]"}));
}

TEST_F(CheckerTest, BundledSampleDataChecksClean) {
  const Report report = CheckCatalogFolder(platform::Utf8ToUtf16(VELMAR_SAMPLE_DATA_DIR "/"));
  EXPECT_GT(report.games, 0u);
  for (const checker::Finding& finding : report.findings) {
    ADD_FAILURE() << checker::FormatFinding(finding);
  }
}

// --- the catalog file itself ------------------------------------------------

struct FileCase {
  const char* label;
  std::function<void(const testing_support::TempFolder&)> prepare;
  const char* folder;  // under the temporary folder
  const char* expected;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.label; }

class CatalogFileFindings : public CheckerTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(CatalogFileFindings, HaveNoPlaceInTheFile) {
  const FileCase& c = GetParam();
  CopyIcons();
  c.prepare(folder_);
  const Report report = CheckCatalogFolder(folder_.text() + platform::Utf8ToUtf16(c.folder));
  EXPECT_THAT(Lines(report), ElementsAreArray({std::string(c.expected)}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CatalogFileFindings,
    ::testing::Values(FileCase{"missing_file", [](const auto&) {}, "",
                               "DATA/games.json: error: no such file [io]"},
                      FileCase{"folder_named_games_json",
                               [](const auto& folder) {
                                 std::filesystem::create_directory(folder.path() / "games.json");
                               },
                               "", "DATA/games.json: error: is a folder, not a file [io]"},
                      FileCase{"missing_folder", [](const auto&) {}, "nowhere",
                               "DATA/nowhere/games.json: error: the folder does not exist [io]"}),
    [](const auto& info) { return std::string(info.param.label); });

#ifndef _WIN32
// Reading a pipe would wait for a writer for ever.
INSTANTIATE_TEST_SUITE_P(
    Pipes, CatalogFileFindings,
    ::testing::Values(FileCase{"pipe_named_games_json",
                               [](const auto& folder) {
                                 mkfifo((folder.path() / "games.json").c_str(), 0600);
                               },
                               "",
                               "DATA/games.json: error: is not a regular file (a pipe, a device "
                               "or a socket); the program does not read it [io]"}),
    [](const auto& info) { return std::string(info.param.label); });
#else
TEST_F(CheckerTest, PipeNamedGamesJsonIsAnIoError) {
  GTEST_SKIP() << "FIFOs are a POSIX thing; Windows devices are in files_windows_test.cpp";
}
#endif

TEST_F(CheckerTest, UnreadableCatalogIsAnIoError) {
  WriteCatalog("[]");
  const auto file = folder_.path() / "games.json";
  std::filesystem::permissions(file, std::filesystem::perms::none);
  if (std::ifstream(file).good()) GTEST_SKIP() << "running with rights that ignore permissions";
  const Report report = CheckCatalogFolder(folder_.text());
  ASSERT_FALSE(report.findings.empty());
  EXPECT_EQ(report.findings[0].code, "io");
  EXPECT_EQ(report.findings[0].line, 0u);
  EXPECT_TRUE(WithDataFolder(checker::FormatFinding(report.findings[0]))
                  .starts_with("DATA/games.json: error: cannot be read: "));
}

// --- pictures that are not what they seem -----------------------------------

#ifndef _WIN32
TEST_F(CheckerTest, PicturesOutsideTheirFolderOrNotFilesAreReported) {
  CopyIcons();
  CopySample("assets/post/zvezdny-kartograf.png", "assets/post/sub/ok.png");
  std::filesystem::create_symlink("/usr/share", folder_.path() / "assets/post/share");
  mkfifo((folder_.path() / "assets/post/pipe.png").c_str(), 0600);
  WriteCatalog(
      "[{\"id\": 1, \"url\": \"https://v/1\", \"post\": \"sub\\\\ok.png\"},\n"
      " {\"id\": 2, \"url\": \"https://v/2\", \"post\": \"..\\\\..\\\\games.json\"},\n"
      " {\"id\": 3, \"url\": \"https://v/3\", \"post\": \"share/x.png\"},\n"
      " {\"id\": 4, \"url\": \"https://v/4\", \"post\": \"pipe.png\"}]");
  const Report report = CheckCatalogFolder(folder_.text());
  EXPECT_THAT(
      Lines(report),
      ElementsAreArray(std::vector<std::string>{
          "DATA/games.json:2:42: warning: poster \"..\\\\..\\\\games.json\" leads outside its "
          "assets folder (DATA/assets/post/../../games.json), so the program does not look at "
          "it; the poster area shows \"Картинка\" [path-outside-data]",
          "DATA/games.json:3:42: warning: poster \"share/x.png\" not found at "
          "DATA/assets/post/share/x.png; the poster area shows \"Картинка\" [missing-file]",
          "DATA/games.json:4:42: warning: poster \"pipe.png\" at DATA/assets/post/pipe.png is not "
          "a regular file, so the program does not read it; the poster area shows "
          "\"Картинка\" [missing-file]"}));
}
#else
// Names a Windows author may write that would lead off the data folder: a
// drive, a server, steps up. None is looked at where it leads.
TEST_F(CheckerTest, PicturesNamedOffTheDataFolderAreNotLookedAt) {
  CopyIcons();
  CopySample("assets/post/zvezdny-kartograf.png", "assets/post/sub/ok.png");
  CopySample("assets/post/zvezdny-kartograf.png", "elsewhere.png");
  std::filesystem::create_directories(folder_.path() / "assets" / "qrcod");
  const std::string elsewhere = Folder() + "elsewhere.png";
  std::string escaped;
  for (char c : elsewhere) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  WriteCatalog(
      "[{\"id\": 1, \"url\": \"https://v/1\", \"post\": \"sub\\\\ok.png\", \"qrcode\": \"../post/sub/ok.png\"},\n"
      " {\"id\": 2, \"url\": \"https://v/2\", \"post\": \"" + escaped + "\"},\n"
      " {\"id\": 3, \"url\": \"https://v/3\", \"post\": \"\\\\\\\\localhost\\\\share\\\\x.png\"},\n"
      " {\"id\": 4, \"url\": \"https://v/4\", \"post\": \"..\\\\..\\\\elsewhere.png\"}]");
  const std::vector<std::string> lines = Lines(CheckCatalogFolder(folder_.text()));
  ASSERT_EQ(lines.size(), 4u) << ::testing::PrintToString(lines);
  EXPECT_THAT(lines[0], ::testing::HasSubstr("[path-outside-data]"));  // the QR image
  EXPECT_THAT(lines[1], ::testing::StartsWith("DATA/games.json:2:"));
  EXPECT_THAT(lines[1], ::testing::HasSubstr("[missing-file]"));
  EXPECT_THAT(lines[2], ::testing::StartsWith("DATA/games.json:3:"));
  EXPECT_THAT(lines[2], ::testing::HasSubstr("not found at DATA/assets/post/localhost/share/x.png"));
  EXPECT_THAT(lines[3], ::testing::StartsWith("DATA/games.json:4:"));
  EXPECT_THAT(lines[3], ::testing::HasSubstr("[path-outside-data]"));
}
#endif

// Pictures that show, but not as their names or sizes suggest.
TEST_F(CheckerTest, PicturesThatShowDifferentlyFromWhatTheirNamesSuggest) {
  CopyIcons();
  CopySample("assets/post/severny-ekspress.jpg", "assets/post/jpeg-inside.png");
  CopySample("assets/post/zvezdny-kartograf.png", "assets/post/Pixel-Drift.png");
  folder_.write("assets/qrcod/small.png",
                testing_support::ReadBytes(std::filesystem::path(VELMAR_FIXTURES_DIR) /
                                           "qr-codes/assets/qrcod/qr-29.png"));
  // A square poster, far from the 672:400 area: the QR fixture will do.
  folder_.write("assets/post/square.png",
                testing_support::ReadBytes(std::filesystem::path(VELMAR_FIXTURES_DIR) /
                                           "qr-codes/assets/qrcod/qr-300.png"));
  WriteCatalog(
      "[{\"id\": 1, \"url\": \"https://v/1\", \"post\": \"jpeg-inside.png\"},\n"
      " {\"id\": 2, \"url\": \"https://v/2\", \"post\": \"pixel-drift.PNG\"},\n"
      " {\"id\": 3, \"url\": \"https://v/3\", \"post\": \"square.png\", \"qrcode\": \"small.png\"}]");
  const Report report = CheckCatalogFolder(folder_.text());
  EXPECT_THAT(
      Lines(report),
      ElementsAreArray(std::vector<std::string>{
          "DATA/games.json:1:42: warning: poster \"jpeg-inside.png\" is a JPEG picture, not PNG as "
          "its name says; it shows, but the name misleads [misnamed-image]",
          "DATA/games.json:2:42: warning: poster \"pixel-drift.PNG\" is the file "
          "\"Pixel-Drift.png\", which matches only ignoring letter case; works on Windows and in "
          "Velmar; rename to \"Pixel-Drift.png\" [name-case]",
          "DATA/games.json:3:42: note: poster \"square.png\" is 300 x 300, a shape unlike the 672 x "
          "400 poster area; it is stretched to fill it [poster-stretched]",
          "DATA/games.json:3:66: note: QR image \"small.png\" is 29 x 29, smaller than its 84 x 84 "
          "square; it is enlarged with sharp modules, which scanners read well [qr-enlarged]"}));
  EXPECT_EQ(checker::FormatSummary(report), "3 games, 0 errors, 2 warnings, 2 notes");
}

TEST_F(CheckerTest, FolderNamedInAnotherCaseIsToldToBeRenamed) {
  CopySample("assets/icon/apk-icon.png", "Assets/icon/apk-icon.png");
  CopySample("assets/icon/telegram-icon.png", "Assets/icon/telegram-icon.png");
  WriteCatalog("[]");
  EXPECT_THAT(Lines(CheckCatalogFolder(folder_.text())),
              ElementsAreArray(std::vector<std::string>{
                  "DATA/Assets/icon/apk-icon.png: warning: icon \"apk-icon.png\" is in the folder "
                  "\"Assets/icon\", which matches only ignoring letter case; works on Windows and "
                  "in Velmar; rename the folder to \"assets/icon\" [name-case]",
                  "DATA/Assets/icon/telegram-icon.png: warning: icon \"telegram-icon.png\" is in "
                  "the folder \"Assets/icon\", which matches only ignoring letter case; works on "
                  "Windows and in Velmar; rename the folder to \"assets/icon\" [name-case]"}));
}

// A catalog of nothing but line breaks costs little more memory to check
// than the file itself.
TEST_F(CheckerTest, HugeWhitespaceFileIsCheckedWithinBoundedMemory) {
  CopyIcons();
  constexpr std::size_t kSize = std::size_t{50} << 20;
  testing_support::WriteLineBreaks(folder_.path() / "games.json", kSize);
  Report report;
  const auto growth =
      testing_support::PeakGrowthDuring([&] { report = CheckCatalogFolder(folder_.text()); });
  if (!growth) GTEST_SKIP() << "the system does not tell the peak resident size";
  EXPECT_THAT(Lines(report),
              ElementsAreArray({"DATA/games.json:52428801:1: error: the file is empty; it must "
                                "hold an array [ ... ] of games [json-syntax]"}));
  EXPECT_LT(*growth, 2 * kSize + (std::size_t{50} << 20)) << "peak grew by " << (*growth >> 20) << " MB";
}

// --- many pictures and many findings ---------------------------------------

// Thousands of poster names that match their files only ignoring case, and
// as many that match nothing, in one folder: the folder is listed once, not
// once a name.
TEST_F(CheckerTest, EachFolderIsListedOnceHoweverManyNamesAreLookedUp) {
  CopyIcons();
  constexpr int kGames = 3000;
  std::string catalog = "[";
  for (int i = 0; i < kGames; ++i) {
    const std::string n = std::to_string(i);
    folder_.write("assets/post/poster-" + n + ".png", "not a picture");
    if (i > 0) catalog += ",\n";
    catalog += "{\"id\": " + std::to_string(i + 1) + ", \"url\": \"https://v/\", \"post\": \"POSTER-" +
               n + ".PNG\", \"qrcode\": \"qr-" + n + ".png\"}";
  }
  WriteCatalog(catalog + "]");
  const std::size_t before = platform::FolderListingsRead();
  const Report report = CheckCatalogFolder(folder_.text());
  const std::size_t listed = platform::FolderListingsRead() - before;
  // assets, assets/post, assets/qrcod, assets/icon at most.
  EXPECT_LE(listed, 4u);
  std::map<std::string, int> codes;
  for (const checker::Finding& finding : report.findings) ++codes[finding.code];
  EXPECT_EQ(codes["undecodable-image"], kGames) << "each poster is found ignoring case";
  EXPECT_EQ(codes["missing-file"], kGames) << "no QR image is there";
  EXPECT_EQ(report.findings.size(), 2u * kGames);
}

// A name that matches two entries ignoring case matches neither, through
// the index as through a single look-up.
TEST(FolderIndex, AnswersAsASingleLookUpDoes) {
  testing_support::TempFolder folder;
  folder.write("Same.png", "a");
  folder.write("SAME.png", "b");
  folder.write("Only.png", "c");
  folder.write("Ёлка.png", "d");
  platform::FolderIndex index;
  for (const std::u16string name :
       {u"Same.png", u"same.png", u"only.PNG", u"ёЛКА.png", u"none.png", u"Only.png"}) {
    EXPECT_EQ(index.FindEntryIgnoringCase(folder.text(), name),
              platform::FindEntryIgnoringCase(folder.text(), name))
        << platform::Utf16ToUtf8(name);
  }
#ifndef _WIN32
  // Where a folder holds names that differ only in case, and the program
  // does the folding itself.
  EXPECT_EQ(index.FindEntryIgnoringCase(folder.text(), u"ёЛКА.png"), u"Ёлка.png");
  EXPECT_EQ(index.FindEntryIgnoringCase(folder.text(), u"same.png"), u"");
#endif
}

// 250 games with one id: 249 duplicate-id findings.
std::string SameIdCatalog() {
  std::string catalog = "[";
  for (int i = 0; i < 250; ++i) catalog += std::string(i ? "," : "") + "{\"id\":7,\"url\":\"https://v/\"}";
  return catalog + "]";
}

class Collected : public checker::FindingSink {
 public:
  void Add(checker::Finding&& finding) override { findings.push_back(std::move(finding)); }
  std::vector<checker::Finding> findings;
};

TEST_F(CheckerTest, FindingsOfACodeBeyondTheLimitAreOnlyCounted) {
  CopyIcons();
  WriteCatalog(SameIdCatalog());
  const struct {
    std::size_t limit, passed, omitted;
  } cases[] = {{100, 100, 149}, {249, 249, 0}, {1, 1, 248}, {0, 249, 0}};
  for (const auto& c : cases) {
    Collected sink;
    const checker::Summary summary = CheckCatalogFolder(folder_.text(), sink, c.limit);
    EXPECT_EQ(sink.findings.size(), c.passed) << c.limit;
    EXPECT_EQ(summary.Count(Severity::Warning), 249u) << "the summary counts them all";
    EXPECT_EQ(checker::FormatSummary(summary), "250 games, 0 errors, 249 warnings");
    if (c.omitted == 0) {
      EXPECT_TRUE(summary.omitted.empty()) << c.limit;
    } else {
      ASSERT_EQ(summary.omitted.size(), 1u) << c.limit;
      EXPECT_EQ(summary.omitted[0].code, "duplicate-id");
      EXPECT_EQ(summary.omitted[0].count, c.omitted);
    }
    // Those passed on are the first ones, in file order.
    for (std::size_t i = 1; i < sink.findings.size(); ++i) {
      EXPECT_LT(sink.findings[i - 1].column, sink.findings[i].column);
    }
  }
}

TEST(FormatOmitted, GroupsTheDigitsInThousands) {
  const struct {
    std::size_t count;
    const char* expected;
  } cases[] = {{1, "… and 1 more [duplicate-id]"},
               {999, "… and 999 more [duplicate-id]"},
               {1000, "… and 1,000 more [duplicate-id]"},
               {999900, "… and 999,900 more [duplicate-id]"},
               {1234567, "… and 1,234,567 more [duplicate-id]"}};
  for (const auto& c : cases) {
    EXPECT_EQ(checker::FormatOmitted({"duplicate-id", Severity::Warning, c.count}), c.expected);
  }
}

// --- paths and the summary --------------------------------------------------

TEST(JoinPath, AddsOneSeparatorOnlyWhenNeeded) {
  const std::u16string sep(1, platform::kPathSeparator);
  const struct {
    std::u16string folder, expected;
  } cases[] = {{u"data", u"data" + sep + u"games.json"},
               {u"data/", u"data/games.json"},
               {u"data\\", u"data\\games.json"},
               {u"", u"games.json"}};
  for (const auto& c : cases) {
    EXPECT_EQ(checker::JoinPath(c.folder, u"games.json"), c.expected)
        << platform::Utf16ToUtf8(c.folder);
  }
}

TEST(FormatSummary, CountsGamesErrorsAndWarningsInSingularOrPlural) {
  auto report = [](std::size_t games, std::size_t errors, std::size_t warnings) {
    checker::Summary r;
    r.games = games;
    r.counts[std::size_t(Severity::Error)] = errors;
    r.counts[std::size_t(Severity::Warning)] = warnings;
    return r;
  };
  EXPECT_EQ(checker::FormatSummary(report(0, 0, 0)), "0 games, 0 errors, 0 warnings");
  EXPECT_EQ(checker::FormatSummary(report(1, 1, 1)), "1 game, 1 error, 1 warning");
  EXPECT_EQ(checker::FormatSummary(report(12, 2, 3)), "12 games, 2 errors, 3 warnings");
}

TEST(FormatFinding, WritesCompilerStyleLinesWithOrWithoutPlace) {
  const checker::Finding placed{Severity::Error, "utf8", u"data/games.json", 3, 14, "bad byte"};
  const checker::Finding unplaced{
      Severity::Warning, "missing-file", u"data/assets/icon/apk-icon.png", 0, 0, "icon not found"};
  EXPECT_EQ(checker::FormatFinding(placed), "data/games.json:3:14: error: bad byte [utf8]");
  EXPECT_EQ(checker::FormatFinding(unplaced),
            "data/assets/icon/apk-icon.png: warning: icon not found [missing-file]");
}

}  // namespace
