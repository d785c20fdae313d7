#include "tools/check/text_position.h"

#include <algorithm>

namespace checker {

LineMap::LineMap(std::string_view bytes) : bytes_(bytes) {
  lineStarts_.push_back(bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      lineStarts_.push_back(i + 1);
    }
  }
}

TextPosition LineMap::At(std::size_t offset) const {
  offset = std::min(offset, bytes_.size());
  // The last line starting at or before the offset.
  const auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const std::size_t line =
      next == lineStarts_.begin() ? 0 : std::size_t(next - lineStarts_.begin()) - 1;
  TextPosition position;
  position.line = line + 1;
  std::size_t from = lineStarts_[line];
  // Findings come in file order: go on from the last one when it is on the
  // same line, so a catalog written on one line is not read over and over.
  if (lastLine_ == line && lastOffset_ <= offset) {
    from = lastOffset_;
    position.column = lastColumn_;
  }
  for (std::size_t i = from; i < offset; ++i) {
    // Continuation bytes (10xxxxxx) belong to the character before them.
    if ((static_cast<unsigned char>(bytes_[i]) & 0xC0) != 0x80) ++position.column;
  }
  lastLine_ = line;
  lastOffset_ = offset;
  lastColumn_ = position.column;
  return position;
}

}  // namespace checker
