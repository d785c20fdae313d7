#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace package_testing {

// Paths of the files under a folder, relative to it, sorted.
std::vector<std::string> FilesUnder(const std::filesystem::path& folder);

// The last line of a program's output (velmar-check's summary).
std::string LastLine(const std::string& text);

}  // namespace package_testing
