#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "checker_test_support.h"
#include "support/program_run.h"
#include "support/system.h"

namespace {

using testing_support::ProgramRun;
using testing_support::RunProgram;

ProgramRun RunCheck(const std::vector<std::string>& args) {
  return RunProgram(VELMAR_CHECK_EXE, args);
}

class VelmarCheckProgram : public CheckerTest {};

TEST_F(VelmarCheckProgram, PrintsTheFindingsThenTheSummary) {
  CopyIcons();
  WriteCatalog("[\n{\"id\": 7.5, \"url\": \"https://v/1\"},\n2\n]");
  const checker::Report report = checker::CheckCatalogFolder(folder_.text());
  std::string expected;
  for (const checker::Finding& finding : report.findings)
    expected += checker::FormatFinding(finding) + "\n";
  expected += checker::FormatSummary(report) + "\n";

  const ProgramRun run = RunCheck({Folder()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
}

struct StatusCase {
  const char* label;
  const char* catalog;  // nullptr: the bundled sample data folder
  int status;
  const char* summaryEnd;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.label; }

class ExitStatus : public VelmarCheckProgram, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ExitStatus, SaysWhetherTheProgramWouldUseTheCatalog) {
  const StatusCase& c = GetParam();
  std::string folder = VELMAR_SAMPLE_DATA_DIR;
  if (c.catalog) {
    CopyIcons();
    WriteCatalog(c.catalog);
    folder = Folder();
  }
  const ProgramRun run = RunCheck({folder});
  EXPECT_EQ(run.status, c.status) << run.out << run.err;
  EXPECT_TRUE(run.out.ends_with(std::string(c.summaryEnd) + "\n")) << run.out;
}

// The sample data folder holds JPEG posters: they must be judged decodable.
INSTANTIATE_TEST_SUITE_P(
    Table, ExitStatus,
    ::testing::Values(StatusCase{"sample_data_clean", nullptr, 0, ", 0 errors, 0 warnings"},
                      StatusCase{"warnings_only", "[{\"name\": \"a\"}]", 0,
                                 "1 game, 0 errors, 1 warning"},
                      StatusCase{"error", "[1,]", 1, "0 games, 1 error, 0 warnings"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(VelmarCheckProgram, WrongUsageExitsTwoWithUsageOnStderr) {
  const auto other = folder_.write("other.json", "[]");
  const std::vector<std::vector<std::string>> wrong = {
      {"--verbose"}, {"-x"}, {Folder(), Folder()}, {""}, {"--format=xml"}, {other.string()},
      {"--max-findings="}, {"--max-findings=-1"}, {"--max-findings=ten"},
      {"--max-findings=1000000000000000000000"}};
  for (const auto& args : wrong) {
    const ProgramRun run = RunCheck(args);
    const std::string shown = args[0];
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_NE(run.err.find("usage: velmar-check [--format=text|json|sarif] [--max-findings=N] "
                           "[FOLDER]"),
              std::string::npos)
        << shown;
  }
}

// 150 games without "url", one id: 150 findings of one code, 149 of another.
TEST_F(VelmarCheckProgram, KeepsAHundredFindingsOfEachCodeUnlessToldOtherwise) {
  CopyIcons();
  std::string catalog = "[";
  for (int i = 0; i < 150; ++i) catalog += std::string(i ? "," : "") + "{\"id\":3}";
  WriteCatalog(catalog + "]");
  auto count = [](const std::string& out, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = out.find(part); at != std::string::npos; at = out.find(part, at + 1)) ++n;
    return n;
  };
  const struct {
    std::vector<std::string> options;
    std::size_t shown;
    const char* omitted;  // the lines that say what was left out, in the order of --help
  } cases[] = {
      {{}, 100, "… and 49 more [duplicate-id]\n… and 50 more [address-not-opened]\n"},
      {{"--max-findings=149"}, 149, "… and 1 more [address-not-opened]\n"},
      {{"--max-findings=0"}, 150, ""},
      {{"--max-findings=0", "--max-findings=7"}, 7,
       "… and 142 more [duplicate-id]\n… and 143 more [address-not-opened]\n"}};
  for (const auto& c : cases) {
    std::vector<std::string> args = c.options;
    args.push_back(Folder());
    const ProgramRun run = RunCheck(args);
    const std::string label = ::testing::PrintToString(c.options);
    EXPECT_EQ(run.status, 0) << label;
    EXPECT_EQ(count(run.out, "[address-not-opened]\n"), c.shown + (c.shown < 150)) << label;
    EXPECT_TRUE(run.out.ends_with(std::string(c.omitted) + "150 games, 0 errors, 299 warnings\n"))
        << label << "\n" << run.out.substr(run.out.size() > 300 ? run.out.size() - 300 : 0);
  }
  const ProgramRun json = RunCheck({"--format=json", "--max-findings=1", Folder()});
  EXPECT_EQ(count(json.out, "\"omitted\""), 2u) << json.out;
  const ProgramRun sarif = RunCheck({"--format=sarif", "--max-findings=1", Folder()});
  EXPECT_EQ(count(sarif.out, "\"toolExecutionNotifications\""), 1u) << sarif.out;
}

TEST_F(VelmarCheckProgram, HelpExplainsEveryCodeOfTheTableAndExitsZero) {
  const ProgramRun run = RunCheck({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("usage: velmar-check")) << run.out;
  for (const checker::DiagnosticCode& code : checker::kDiagnosticCodes) {
    const std::string line = "  " + std::string(code.code) + " ";
    const std::size_t at = run.out.find(line);
    ASSERT_NE(at, std::string::npos) << code.code;
    EXPECT_NE(run.out.find(std::string(code.help), at), std::string::npos) << code.code;
  }
}

// A catalog author often has the file open, not the folder.
TEST_F(VelmarCheckProgram, PathOfGamesJsonChecksItsFolder) {
  CopyIcons();
  WriteCatalog("[1,]");
  const ProgramRun byFolder = RunCheck({Folder()});
  const ProgramRun byFile = RunCheck({(folder_.path() / "games.json").string()});
  EXPECT_EQ(byFile.status, 1);
  EXPECT_EQ(byFile.out, byFolder.out);
  EXPECT_NE(byFile.out.find("games.json:1:4: error: "), std::string::npos) << byFile.out;
}

TEST_F(VelmarCheckProgram, WithoutFolderChecksTheProgramsOwnDataFolder) {
  // A copy of the program in a folder of its own, with games.json beside it.
  const std::filesystem::path program = VELMAR_CHECK_EXE;
  const auto copy = folder_.path() / program.filename();
  std::filesystem::copy_file(program, copy);
  // A Windows program finds the DLLs it needs beside it.
  if (testing_support::kOnWindows) {
    for (const auto& entry : std::filesystem::directory_iterator(program.parent_path())) {
      if (entry.path().extension() == ".dll") {
        std::filesystem::copy_file(entry.path(), folder_.path() / entry.path().filename());
      }
    }
  }
  CopyIcons();
  WriteCatalog("[1,]");
  const ProgramRun run = RunProgram(copy.string(), {});
  EXPECT_EQ(run.status, 1);
  const std::string own = platform::Utf16ToUtf8(
      platform::FolderPath(testing_support::ToText(std::filesystem::canonical(folder_.path()))));
  EXPECT_TRUE(run.out.starts_with(own + "games.json:1:4: error: ")) << run.out;
}

}  // namespace
