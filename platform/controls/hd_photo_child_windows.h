#pragma once

// What the program and its HD Photo decoding process (velmar-hdphoto.exe)
// say to each other. The program hands the file's bytes over in a file
// mapping the child inherits, named by its handle and size on the command
// line; the child writes a report and then the pixels to its standard output.

#include <cstdint>

namespace fmx::hd_photo_child {

inline constexpr wchar_t kProgramName[] = L"velmar-hdphoto.exe";

struct Report {
  std::int32_t ok = 0;
  std::uint32_t width = 0, height = 0, bytesPerLine = 0;
  char reason[200] = {};
};

}  // namespace fmx::hd_photo_child
