#include "platform/shared_text.h"

#include <cstdlib>
#include <limits>
#include <new>
#include <ostream>
#include <stdexcept>

#include "platform/utf8.h"

#ifdef _WIN32
#include <malloc.h>  // _aligned_malloc
#endif

namespace platform {

namespace {

constexpr std::size_t kChunkBytes = SharedText::kChunkBytes;
// The chunk's count, padded so that its texts start on a 16-byte boundary.
constexpr std::size_t kHeaderBytes = 16;
// Larger texts get a chunk of their own: a chunk is never mostly one text
// that then keeps the rest alive, and never mostly empty.
constexpr std::size_t kLargestShared = kChunkBytes / 8;

std::size_t RoundUp(std::size_t bytes, std::size_t step) {
  return (bytes + step - 1) / step * step;
}

void* AllocateChunk(std::size_t bytes) {
  void* memory = nullptr;
#ifdef _WIN32
  memory = _aligned_malloc(bytes, kChunkBytes);
#else
  if (posix_memalign(&memory, kChunkBytes, bytes) != 0) memory = nullptr;
#endif
  if (!memory) throw std::bad_alloc();
  return memory;
}

void FreeAlignedChunk(void* chunk) noexcept {
#ifdef _WIN32
  _aligned_free(chunk);
#else
  std::free(chunk);
#endif
}

// The chunk new texts go into, with a reference of its own so that it is not
// freed while it is being filled. Deliberately never destroyed: texts may be
// made and dropped while other static objects are torn down.
struct Filling {
  void* chunk = nullptr;
  std::size_t used = kChunkBytes;
};

Filling& CurrentChunk() {
  static Filling* filling = new Filling;
  return *filling;
}

}  // namespace

SharedText::SharedText(std::u16string_view text) : chars_(text.empty() ? nullptr : Place(text)) {}

const char16_t* SharedText::Place(std::u16string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max() / sizeof(char16_t)) {
    throw std::length_error("text too long");
  }
  const std::uint32_t size = std::uint32_t(text.size());
  const std::size_t bytes =
      RoundUp(sizeof size + text.size() * sizeof(char16_t), alignof(std::uint32_t));
  std::byte* at = nullptr;
  if (bytes > kLargestShared) {
    at = static_cast<std::byte*>(AllocateChunk(RoundUp(kHeaderBytes + bytes, kChunkBytes)));
    new (at) Chunk{1};
    at += kHeaderBytes;
  } else {
    Filling& filling = CurrentChunk();
    if (filling.used + bytes > kChunkBytes) {
      void* fresh = AllocateChunk(kChunkBytes);
      new (fresh) Chunk{1};  // the filling's own reference
      if (filling.chunk) {
        auto* full = static_cast<Chunk*>(filling.chunk);
        if (--full->references == 0) FreeChunk(full);
      }
      filling.chunk = fresh;
      filling.used = kHeaderBytes;
    }
    ++static_cast<Chunk*>(filling.chunk)->references;
    at = static_cast<std::byte*>(filling.chunk) + filling.used;
    filling.used += bytes;
  }
  std::memcpy(at, &size, sizeof size);
  auto* chars = reinterpret_cast<char16_t*>(at + sizeof size);
  std::memcpy(chars, text.data(), text.size() * sizeof(char16_t));
  return chars;
}

SharedText& SharedText::operator=(std::u16string_view text) {
  // Built first: the view may point into this very text.
  SharedText copy(text);
  return *this = std::move(copy);
}

void SharedText::FreeChunk(Chunk* chunk) noexcept {
  chunk->~Chunk();
  FreeAlignedChunk(chunk);
}

void PrintTo(const SharedText& text, std::ostream* out) {
  *out << '"' << Utf16ToUtf8(text.View()) << '"';
}

}  // namespace platform
