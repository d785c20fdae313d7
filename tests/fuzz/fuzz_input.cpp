#include "fuzz_input.h"

#include <fstream>
#include <random>

namespace fuzzing {

InputFolder::InputFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("velmar-fuzz-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

InputFolder::~InputFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::u16string InputFolder::Write(std::string_view name, const std::uint8_t* data,
                                  std::size_t size) const {
  const auto file = path_ / name;
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return file.u16string();
}

std::u16string InputFolder::Text() const {
  return path_.u16string() + static_cast<char16_t>(std::filesystem::path::preferred_separator);
}

const InputFolder& Folder() {
  static const InputFolder folder;
  return folder;
}

}  // namespace fuzzing
