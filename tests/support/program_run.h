#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramRun {
  int status = -1;  // exit status, -1 when the program did not exit normally
  std::string out, err;
};

// Runs a program through the POSIX shell with its output caught in files of a
// scratch folder.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args);

// The same, started in `folder` with a bare PATH (/usr/bin:/bin) and the extra
// environment entries "NAME=value", so nothing is found through the caller's
// current folder or PATH.
ProgramRun RunProgramIn(const std::filesystem::path& folder, const std::string& program,
                        const std::vector<std::string>& args,
                        const std::vector<std::string>& environment = {});

}  // namespace testing_support
