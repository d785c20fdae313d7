#pragma once

#include <optional>
#include <string>

// The program's command line: --data FOLDER, --version, --help.
struct CommandLine {
  // Set when the program should end at once with this status (after --help,
  // --version, or a mistake already reported on stderr).
  std::optional<int> exitCode;
  // The data folder given with --data, with a trailing separator.
  std::optional<std::u16string> dataFolder;
};

// Reads the options the program knows. Anything else is left for the toolkit
// to take (its own options work but are not advertised) and for
// UnknownArgument to refuse afterwards.
CommandLine ReadCommandLine(int argc, char** argv);

// The first argument that is neither the program's option nor taken by the
// toolkit.
std::optional<std::string> UnknownArgument(int argc, char** argv);
