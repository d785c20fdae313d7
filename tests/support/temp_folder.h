#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program holds folders: UTF-16 with a trailing separator.
  std::u16string text() const;
  // Writes bytes to a file under the folder, creating sub-folders.
  std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
  std::string read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

std::u16string ToText(const std::filesystem::path& path);
std::string ReadBytes(const std::filesystem::path& path);
// The text as a file written with the UTF-8 byte-order mark holds it.
std::string WithByteOrderMark(std::string_view text);

}  // namespace testing_support
