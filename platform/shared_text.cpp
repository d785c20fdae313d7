#include "platform/shared_text.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <ostream>
#include <stdexcept>

#include "platform/utf8.h"

namespace platform {

SharedText::SharedText(std::u16string_view text) {
  if (text.empty()) return;
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("text too long");
  const std::size_t bytes = offsetof(Block, chars) + text.size() * sizeof(char16_t);
  void* memory = std::malloc(bytes);
  if (!memory) throw std::bad_alloc();
  block_ = static_cast<Block*>(memory);
  block_->references = 1;
  block_->size = std::uint32_t(text.size());
  std::memcpy(block_->chars, text.data(), text.size() * sizeof(char16_t));
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
  // Taken before releasing: `other` may be this very text.
  Block* const kept = other.block_;
  other.Retain();
  Release();
  block_ = kept;
  return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
  if (this != &other) {
    Release();
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

SharedText& SharedText::operator=(std::u16string_view text) {
  // Built first: the view may point into this very text.
  SharedText copy(text);
  return *this = std::move(copy);
}

void SharedText::Release() noexcept {
  if (block_ && --block_->references == 0) std::free(block_);
  block_ = nullptr;
}

void PrintTo(const SharedText& text, std::ostream* out) { *out << '"' << Utf16ToUtf8(text.View()) << '"'; }

}  // namespace platform
