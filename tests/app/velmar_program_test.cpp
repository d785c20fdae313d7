// The velmar program's options, run as a user runs them. None of these opens
// a window: each ends before the event loop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_folder.h"

using testing_support::ProgramRun;
using testing_support::RunProgram;

namespace {

TEST(VelmarProgram, VersionAndHelpNeedNoWindow) {
  const ProgramRun version = RunProgram(VELMAR_EXE, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("Velmar ")) << version.out;
  const ProgramRun help = RunProgram(VELMAR_EXE, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--data FOLDER"), std::string::npos) << help.out;
}

TEST(VelmarProgram, WrongOptionsEndWithStatusTwoAndOneLine) {
  testing_support::TempFolder empty;
  const std::vector<std::vector<std::string>> wrong = {
      {"--data", empty.path().string()}, {"--data"}, {"--bogus"}, {"catalog.json"}};
  for (const auto& args : wrong) {
    const ProgramRun run = RunProgram(VELMAR_EXE, args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_EQ(run.out, "") << args[0];
    // The toolkit may add its own warnings; the program says one line.
    EXPECT_NE(run.err.find("velmar: "), std::string::npos) << args[0] << ": " << run.err;
  }
}

}  // namespace
