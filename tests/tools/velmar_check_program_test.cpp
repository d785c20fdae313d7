#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "checker_test_support.h"

namespace {

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the program with its output caught in files of a scratch folder.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  testing_support::TempFolder scratch;
  const auto out = scratch.path() / "out", err = scratch.path() / "err";
  std::string command = ShellQuoted(program);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int raw = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = testing_support::ReadBytes(out);
  run.err = testing_support::ReadBytes(err);
  return run;
}

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
  const std::vector<std::vector<std::string>> wrong = {
      {"--verbose"}, {"-x"}, {Folder(), Folder()}, {""}};
  for (const auto& args : wrong) {
    const ProgramRun run = RunCheck(args);
    const std::string shown = args[0];
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_NE(run.err.find("usage: velmar-check [FOLDER]"), std::string::npos) << shown;
  }
}

TEST_F(VelmarCheckProgram, HelpExplainsEveryCodeAndExitsZero) {
  const ProgramRun run = RunCheck({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("usage: velmar-check [FOLDER]\n")) << run.out;
  for (const char* code : {"io", "utf8", "json-syntax", "not-array", "element-not-object",
                           "wrong-type", "unknown-key", "duplicate-id", "id-not-positive",
                           "missing-file", "undecodable-image", "address-not-opened"}) {
    EXPECT_NE(run.out.find(std::string("  ") + code + " "), std::string::npos) << code;
  }
}

TEST_F(VelmarCheckProgram, WithoutFolderChecksTheProgramsOwnDataFolder) {
  // A copy of the program in a folder of its own, with games.json beside it.
  const auto copy = folder_.path() / "velmar-check";
  std::filesystem::copy_file(VELMAR_CHECK_EXE, copy);
  CopyIcons();
  WriteCatalog("[1,]");
  const ProgramRun run = RunProgram(copy.string(), {});
  EXPECT_EQ(run.status, 1);
  const std::string own = std::filesystem::canonical(folder_.path()).string() + "/";
  EXPECT_TRUE(run.out.starts_with(own + "games.json:1:4: error: ")) << run.out;
}

}  // namespace
