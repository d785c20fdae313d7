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
// Texts of up to 8 KiB are laid side by side in 64 KiB chunks, and a chunk
// counts the texts that refer to it: copying or dropping a text touches the
// chunk's count, which thousands of texts share and which stays in the
// cache, not the text's own characters. A chunk is freed with the last text
// in it, so a long-lived short text keeps its chunk (at most 64 KiB) alive.
// A longer text has a block of its own, of its own size, with its own count.
//
// The counts are not atomic: a text and its copies stay on one thread (the
// window's), as everything that holds them does.
class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::u16string_view text);
  SharedText(const SharedText& other) noexcept : handle_(other.handle_) { Retain(); }
  SharedText(SharedText&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
  ~SharedText() { Release(); }
  // Inline: the visible list assigns seventeen of these per game and rebuild.
  SharedText& operator=(const SharedText& other) noexcept {
    // Counted before releasing: `other` may be this very text.
    const std::uintptr_t kept = other.handle_;
    other.Retain();
    Release();
    handle_ = kept;
    return *this;
  }
  SharedText& operator=(SharedText&& other) noexcept {
    if (this != &other) {
      Release();
      handle_ = other.handle_;
      other.handle_ = 0;
    }
    return *this;
  }
  // Replaces the text with a copy of these characters.
  SharedText& operator=(std::u16string_view text);
  // The text of UTF-8 bytes, converted straight into its own place (as
  // Utf8ToUtf16 converts): a long text is never held twice.
  static SharedText FromUtf8(std::string_view utf8);

  std::u16string_view View() const { return {Chars(), size()}; }
  operator std::u16string_view() const { return View(); }
  std::u16string ToString() const { return std::u16string(View()); }
  std::size_t size() const {
    if (!handle_) return 0;
    std::uint32_t size;
    std::memcpy(&size, reinterpret_cast<const char*>(Chars()) - sizeof size, sizeof size);
    return size;
  }
  bool empty() const { return handle_ == 0; }
  const char16_t* begin() const { return Chars(); }
  const char16_t* end() const { return Chars() + size(); }
  char16_t operator[](std::size_t index) const { return Chars()[index]; }
  // Whether both hold the very same characters in memory, not just equal ones.
  bool SharesWith(const SharedText& other) const { return handle_ == other.handle_; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    // Only the empty text has no characters: an empty and a non-empty one
    // differ without a look at the characters, which may not be in the cache.
    return a.handle_ == b.handle_ || (a.handle_ && b.handle_ && a.View() == b.View());
  }
  friend bool operator==(const SharedText& a, std::u16string_view b) { return a.View() == b; }

  // Bytes of every chunk and the chunk's alignment, which is how a text
  // finds its chunk, and the longest text a chunk takes.
  static constexpr std::size_t kChunkBytes = 64 * 1024;
  static constexpr std::size_t kLongestInChunk = 4096;  // characters

 private:
  // The handle is the address of the characters, which the number of
  // characters precedes; its lowest bit is set for a text in a block of its
  // own, whose count then precedes the number.
  static constexpr std::uintptr_t kOwnBlock = 1;
  const char16_t* Chars() const { return reinterpret_cast<const char16_t*>(handle_ & ~kOwnBlock); }
  std::uint32_t& References() const {
    if (handle_ & kOwnBlock) {
      return *reinterpret_cast<std::uint32_t*>(handle_ - kOwnBlock - 2 * sizeof(std::uint32_t));
    }
    return *reinterpret_cast<std::uint32_t*>(handle_ & ~(kChunkBytes - 1));
  }
  void Retain() const {
    if (handle_) ++References();
  }
  void Release() noexcept {
    if (handle_ && --References() == 0) Free(handle_);
    handle_ = 0;
  }
  static void Free(std::uintptr_t handle) noexcept;
  // Room for `size` characters, which the caller writes before use.
  static std::uintptr_t Place(std::size_t size);

  std::uintptr_t handle_ = 0;  // none for the empty text
};

// Prints the text in UTF-8, for test failure messages.
void PrintTo(const SharedText& text, std::ostream* out);

}  // namespace platform
