#include "platform/shared_text.h"

#include <cstdlib>
#include <limits>
#include <new>
#include <ostream>
#include <stdexcept>

#include "aligned_chunks.h"
#include "platform/utf8.h"


namespace platform {

namespace {

constexpr std::size_t kChunkBytes = SharedText::kChunkBytes;
// The chunk's count, padded so that its texts start on a 16-byte boundary.
constexpr std::size_t kHeaderBytes = 16;
// A text's number of characters, and a block's count.
using Count = std::uint32_t;

std::size_t RoundUp(std::size_t bytes, std::size_t step) {
  return (bytes + step - 1) / step * step;
}

// The chunk new texts go into, with a reference of its own so that it is not
// freed while it is being filled. Deliberately never destroyed: texts may be
// made and dropped while other static objects are torn down.
struct Filling {
  std::byte* chunk = nullptr;
  std::size_t used = kChunkBytes;
};

Filling& CurrentChunk() {
  static Filling* filling = new Filling;
  return *filling;
}

Count& ChunkCount(std::byte* chunk) { return *reinterpret_cast<Count*>(chunk); }

}  // namespace

SharedText::SharedText(std::u16string_view text) : handle_(text.empty() ? 0 : Place(text.size())) {
  if (handle_) std::memcpy(const_cast<char16_t*>(Chars()), text.data(), text.size() * sizeof(char16_t));
}

SharedText SharedText::FromUtf8(std::string_view utf8) {
  SharedText text;
  const std::size_t size = Utf16Length(utf8);
  if (size == 0) return text;
  text.handle_ = Place(size);
  Utf8ToUtf16(utf8, const_cast<char16_t*>(text.Chars()));
  return text;
}

std::uintptr_t SharedText::Place(std::size_t length) {
  if (length > ((std::numeric_limits<Count>::max)() - 16) / sizeof(char16_t)) {
    throw std::length_error("text too long");
  }
  const Count size = Count(length);
  const std::size_t textBytes = length * sizeof(char16_t);
  std::byte* at = nullptr;
  std::uintptr_t tag = 0;
  if (length > kLongestInChunk) {
    void* block = std::malloc(2 * sizeof(Count) + textBytes);
    if (!block) throw std::bad_alloc();
    at = static_cast<std::byte*>(block);
    const Count references = 1;
    std::memcpy(at, &references, sizeof references);
    at += sizeof references;
    tag = kOwnBlock;
  } else {
    const std::size_t bytes = RoundUp(sizeof size + textBytes, alignof(Count));
    Filling& filling = CurrentChunk();
    if (filling.used + bytes > kChunkBytes) {
      std::byte* fresh = static_cast<std::byte*>(AllocateAlignedChunk(kChunkBytes));
      ChunkCount(fresh) = 1;  // the filling's own reference
      if (filling.chunk && --ChunkCount(filling.chunk) == 0) FreeAlignedChunk(filling.chunk);
      filling.chunk = fresh;
      filling.used = kHeaderBytes;
    }
    ++ChunkCount(filling.chunk);
    at = filling.chunk + filling.used;
    filling.used += bytes;
  }
  std::memcpy(at, &size, sizeof size);
  return reinterpret_cast<std::uintptr_t>(at + sizeof size) | tag;
}

SharedText& SharedText::operator=(std::u16string_view text) {
  // Built first: the view may point into this very text.
  SharedText copy(text);
  return *this = std::move(copy);
}

void SharedText::Free(std::uintptr_t handle) noexcept {
  if (handle & kOwnBlock) {
    std::free(reinterpret_cast<void*>(handle - kOwnBlock - 2 * sizeof(Count)));
  } else {
    FreeAlignedChunk(reinterpret_cast<void*>(handle & ~(kChunkBytes - 1)));
  }
}

void PrintTo(const SharedText& text, std::ostream* out) {
  *out << '"' << Utf16ToUtf8(text.View()) << '"';
}

}  // namespace platform
