// velmar-hdphoto HANDLE SIZE: decodes the HD Photo held in the inherited file
// mapping HANDLE (SIZE bytes) and writes what it found to its standard
// output. A damaged file may stop this process; the program that started it
// then refuses the picture and goes on.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <string_view>

#include <QImage>

#include "platform/controls/hd_photo_child_windows.h"
#include "platform/controls/hd_photo_wic_windows.h"

namespace {

bool WriteAll(HANDLE out, const void* data, std::size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
    if (!WriteFile(out, at, chunk, &written, nullptr) || written == 0) return false;
    at += written;
    size -= written;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using fmx::hd_photo_child::Report;
  if (argc != 3) return 2;
  const HANDLE mapping = reinterpret_cast<HANDLE>(std::strtoull(argv[1], nullptr, 16));
  const std::size_t size = std::strtoull(argv[2], nullptr, 10);
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size);
  if (!view) return 3;
  Report report;
  QImage image;
  try {
    image = fmx::wic::DecodeHdPhoto(std::string_view(static_cast<const char*>(view), size));
    report.ok = 1;
    report.width = static_cast<std::uint32_t>(image.width());
    report.height = static_cast<std::uint32_t>(image.height());
    report.bytesPerLine = static_cast<std::uint32_t>(image.bytesPerLine());
  } catch (const std::exception& error) {
    std::strncpy(report.reason, error.what(), sizeof report.reason - 1);
  }
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const bool written = WriteAll(out, &report, sizeof report) &&
                       (!report.ok || WriteAll(out, image.constBits(),
                                               static_cast<std::size_t>(image.sizeInBytes())));
  return written ? 0 : 1;
}
