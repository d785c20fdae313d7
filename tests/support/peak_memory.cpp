#include "support/peak_memory.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace testing_support {

void WriteLineBreaks(const std::filesystem::path& file, std::size_t size) {
  std::ofstream out(file, std::ios::binary);
  const std::string block(std::size_t{1} << 20, '\n');
  for (std::size_t written = 0; written < size; written += block.size()) {
    out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), size - written)));
  }
}

}  // namespace testing_support
