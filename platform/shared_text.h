#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace platform {

// An immutable UTF-16 text held by reference: a copy is a pointer and a
// count, never the characters. The visible list copies catalog records on
// every keystroke, and a row's label shows its game's name; with this type
// those copies share the catalog's text instead of duplicating it.
//
// Texts are laid side by side in 64 KiB chunks, and a chunk counts the
// texts that refer to it: copying or dropping a text touches the chunk's
// count, which thousands of texts share and which stays in the cache, not
// the text's own characters. A chunk is freed with the last text in it, so
// a long-lived text keeps its chunk (at most 64 KiB) alive; a text larger
// than an eighth of a chunk has a chunk of its own.
//
// The counts are not atomic: a text and its copies stay on one thread (the
// window's), as everything that holds them does.
class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::u16string_view text);
  SharedText(const SharedText& other) noexcept : chars_(other.chars_) { Retain(); }
  SharedText(SharedText&& other) noexcept : chars_(other.chars_) { other.chars_ = nullptr; }
  ~SharedText() { Release(); }
  // Inline: the visible list assigns seventeen of these per game and rebuild.
  SharedText& operator=(const SharedText& other) noexcept {
    // Counted before releasing: `other` may be this very text.
    const char16_t* const kept = other.chars_;
    other.Retain();
    Release();
    chars_ = kept;
    return *this;
  }
  SharedText& operator=(SharedText&& other) noexcept {
    if (this != &other) {
      Release();
      chars_ = other.chars_;
      other.chars_ = nullptr;
    }
    return *this;
  }
  // Replaces the text with a copy of these characters.
  SharedText& operator=(std::u16string_view text);

  std::u16string_view View() const { return {chars_, size()}; }
  operator std::u16string_view() const { return View(); }
  std::u16string ToString() const { return std::u16string(View()); }
  std::size_t size() const {
    if (!chars_) return 0;
    std::uint32_t size;
    std::memcpy(&size, reinterpret_cast<const char*>(chars_) - sizeof size, sizeof size);
    return size;
  }
  bool empty() const { return chars_ == nullptr; }
  const char16_t* begin() const { return chars_; }
  const char16_t* end() const { return chars_ + size(); }
  char16_t operator[](std::size_t index) const { return chars_[index]; }
  // Whether both hold the very same characters in memory, not just equal ones.
  bool SharesWith(const SharedText& other) const { return chars_ == other.chars_; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    // Only the empty text has no characters: an empty and a non-empty one
    // differ without a look at the characters, which may not be in the cache.
    return a.chars_ == b.chars_ || (a.chars_ && b.chars_ && a.View() == b.View());
  }
  friend bool operator==(const SharedText& a, std::u16string_view b) { return a.View() == b; }

  // Bytes of every chunk and the chunk's alignment, which is how a text
  // finds its chunk.
  static constexpr std::size_t kChunkBytes = 64 * 1024;

 private:
  struct Chunk {
    std::uint32_t references;
  };
  static Chunk* ChunkOf(const char16_t* chars) {
    return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(chars) & ~(kChunkBytes - 1));
  }
  void Retain() const {
    if (chars_) ++ChunkOf(chars_)->references;
  }
  void Release() noexcept {
    if (chars_ && --ChunkOf(chars_)->references == 0) FreeChunk(ChunkOf(chars_));
    chars_ = nullptr;
  }
  static void FreeChunk(Chunk* chunk) noexcept;
  static const char16_t* Place(std::u16string_view text);

  // Preceded by the number of characters; none for the empty text.
  const char16_t* chars_ = nullptr;
};

// Prints the text in UTF-8, for test failure messages.
void PrintTo(const SharedText& text, std::ostream* out);

}  // namespace platform
