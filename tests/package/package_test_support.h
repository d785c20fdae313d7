#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace package_testing {

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

// Runs a program in `folder` with a bare PATH, so nothing is found through
// the caller's current folder or PATH; `environment` adds "NAME=value" entries.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& folder,
               const std::vector<std::string>& environment = {});

// Paths of the files under a folder, relative to it, sorted.
std::vector<std::string> FilesUnder(const std::filesystem::path& folder);

// The last line of a program's output (velmar-check's summary).
std::string LastLine(const std::string& text);

}  // namespace package_testing
