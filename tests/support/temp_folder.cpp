#include "support/temp_folder.h"

#include "platform/utf8.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("velmar-test-" + std::to_string(random()) + "-" +
                             std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      break;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may take permissions away; give them back so removal works.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::u16string ToText(const std::filesystem::path& path) {
  std::u16string text = path.u16string();
  return text;
}

std::u16string TempFolder::text() const {
  std::u16string text = path_.u16string();
  text += static_cast<char16_t>(std::filesystem::path::preferred_separator);
  return text;
}

std::filesystem::path TempFolder::write(std::string_view relative, std::string_view bytes) const {
  const auto file = path_ / std::filesystem::path(relative);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string TempFolder::read(std::string_view relative) const {
  return ReadBytes(path_ / std::filesystem::path(relative));
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string WithByteOrderMark(std::string_view text) {
  return std::string(platform::kByteOrderMark) + std::string(text);
}

}  // namespace testing_support
