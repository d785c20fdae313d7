#include "tools/check/text_position.h"

#include <algorithm>

#include "platform/utf8.h"

namespace checker {

LineMap::LineMap(std::string_view bytes)
    : bytes_(bytes),
      start_(bytes.starts_with(platform::kByteOrderMark) ? platform::kByteOrderMark.size() : 0) {
  checkpoints_.reserve((bytes.size() - start_) / kStep + 1);
  TextPosition position;
  for (std::size_t at = start_; at <= bytes.size(); ++at) {
    if ((at - start_) % kStep == 0) checkpoints_.push_back(position);
    if (at < bytes.size()) position = Next(at, position);
  }
}

TextPosition LineMap::Next(std::size_t at, TextPosition position) const {
  const char c = bytes_[at];
  if (c == '\n' || (c == '\r' && (at + 1 == bytes_.size() || bytes_[at + 1] != '\n'))) {
    return TextPosition{position.line + 1, 1};
  }
  // Continuation bytes (10xxxxxx) belong to the character before them.
  if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) return position;
  return TextPosition{position.line, position.column + 1};
}

TextPosition LineMap::At(std::size_t offset) const {
  offset = std::clamp(offset, start_, bytes_.size());
  const std::size_t step = (offset - start_) / kStep;
  TextPosition position = checkpoints_[step];
  for (std::size_t at = start_ + step * kStep; at < offset; ++at) position = Next(at, position);
  return position;
}

}  // namespace checker
