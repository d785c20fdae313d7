#pragma once

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

}  // namespace testing_support
