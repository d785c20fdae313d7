#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Fuzz targets that read files get their input as a file in a folder of
// their own, made once per process and rewritten for every input.
namespace fuzzing {

class InputFolder {
 public:
  InputFolder();
  ~InputFolder();
  // Writes the input to `name` inside the folder and answers its path.
  std::u16string Write(std::string_view name, const std::uint8_t* data, std::size_t size) const;
  std::u16string Text() const;  // the folder, with a trailing separator

 private:
  std::filesystem::path path_;
};

const InputFolder& Folder();

}  // namespace fuzzing
