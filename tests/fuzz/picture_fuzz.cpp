// The picture loader on any bytes, under each extension the program takes
// for a picture: it decodes or refuses, and never crashes.

#include <cstdint>

#include "fuzz_input.h"
#include "platform/controls/picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "picture_fuzz";
  static char* argv[] = {name, nullptr};
  static fmx::PictureDecoders decoders(argc, argv);
  for (const char* file : {"p.png", "p.jpg", "p.bmp", "p.gif", "p.tif", "p.ico", "p.hdp"}) {
    fmx::CanDecodePicture(fuzzing::Folder().Write(file, data, size));
  }
  return 0;
}
