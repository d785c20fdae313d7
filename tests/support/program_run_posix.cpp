#include "support/program_run.h"

#include <cstdlib>

#include <sys/wait.h>

#include "support/temp_folder.h"

namespace testing_support {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs `command` (a shell prefix, possibly empty) followed by the program and
// its arguments.
ProgramRun RunCommand(std::string command, const std::string& program,
                      const std::vector<std::string>& args) {
  TempFolder scratch;
  const auto out = scratch.path() / "out", err = scratch.path() / "err";
  command += ShellQuoted(program);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int raw = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadBytes(out);
  run.err = ReadBytes(err);
  return run;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return RunCommand("", program, args);
}

ProgramRun RunProgramIn(const std::filesystem::path& folder, const std::string& program,
                        const std::vector<std::string>& args,
                        const std::vector<std::string>& environment) {
  std::string prefix = "cd " + ShellQuoted(folder.string()) + " && env PATH=/usr/bin:/bin ";
  for (const std::string& entry : environment) prefix += ShellQuoted(entry) + " ";
  return RunCommand(prefix, program, args);
}

}  // namespace testing_support
