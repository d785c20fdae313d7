#include "package_test_support.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace package_testing {

std::vector<std::string> FilesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files.push_back(fs::relative(entry.path(), folder).generic_string());
    }
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
