// The JSON reader on any bytes: it answers a document or an error with an
// offset inside the input, and every value it keeps lies inside the input.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/json_document.h"

namespace {

void Walk(platform::json::Value value, std::size_t size) {
  if (value.position() >= size) std::abort();
  for (platform::json::Value child : value) Walk(child, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  platform::json::ParseError error;
  if (const auto document = platform::json::Parse(bytes, &error)) {
    Walk(document->root(), size);
  } else if (error.offset > size) {
    std::abort();
  }
  return 0;
}
