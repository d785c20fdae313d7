// Runs a fuzz target over its seed corpus, so every target keeps building
// and passing without a fuzzing compiler. Arguments: files or folders.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::filesystem::path& file, int& count) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  ++count;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        if (entry.is_regular_file()) Run(entry.path(), count);
      }
    } else if (std::filesystem::is_regular_file(path)) {
      Run(path, count);
    } else {
      std::fprintf(stderr, "no seed at %s\n", argv[i]);
      return 1;
    }
  }
  // An empty input as well: the smallest case of every target.
  LLVMFuzzerTestOneInput(nullptr, 0);
  std::printf("%d seeds passed\n", count + 1);
  return 0;
}
