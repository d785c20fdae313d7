#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace checker {

// The array or object a syntax error stopped inside, and where it opened
// ("3:5").
struct OpenContainer {
  bool isObject = false;
  std::string openedAt;
};

// A short message for a catalog author from the JSON reader's syntax error
// (`parserMessage`, at byte `offset` of the file's `bytes`).
std::string SyntaxMessage(std::string_view parserMessage, std::string_view bytes,
                          std::size_t offset, const OpenContainer* open = nullptr);

// The message for bytes that are not UTF-8, the first bad one at `offset`.
std::string Utf8Message(std::string_view bytes, std::size_t offset);

}  // namespace checker
