#include "package_test_support.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace package_testing {
namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
               const fs::path& folder, const std::vector<std::string>& environment) {
  testing_support::TempFolder scratch;
  const fs::path out = scratch.path() / "out", err = scratch.path() / "err";
  std::string command = "cd " + ShellQuoted(folder.string()) + " && env PATH=/usr/bin:/bin";
  for (const std::string& entry : environment) command += " " + ShellQuoted(entry);
  command += " " + ShellQuoted(program);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int raw = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = testing_support::ReadBytes(out);
  run.err = testing_support::ReadBytes(err);
  return run;
}

std::vector<std::string> FilesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string LastLine(const std::string& text) {
  std::string trimmed = text;
  while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
  const auto newline = trimmed.rfind('\n');
  return newline == std::string::npos ? trimmed : trimmed.substr(newline + 1);
}

}  // namespace package_testing
