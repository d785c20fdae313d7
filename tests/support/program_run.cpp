#include "support/program_run.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/temp_folder.h"

namespace testing_support {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  TempFolder scratch;
  const auto out = scratch.path() / "out", err = scratch.path() / "err";
  std::string command = ShellQuoted(program);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int raw = std::system(command.c_str());
  ProgramRun run;
#ifdef _WIN32
  run.status = raw;
#else
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  run.out = ReadBytes(out);
  run.err = ReadBytes(err);
  return run;
}

}  // namespace testing_support
