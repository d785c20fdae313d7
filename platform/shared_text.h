#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace platform {

// An immutable UTF-16 text held by reference: a copy is a pointer and a
// count, never the characters. The visible list copies catalog records on
// every keystroke, and a row's label shows its game's name; with this type
// those copies share the catalog's text instead of duplicating it.
//
// The count is not atomic: a text and its copies stay on one thread (the
// window's), as everything that holds them does.
class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::u16string_view text);
  SharedText(const SharedText& other) noexcept : block_(other.block_) { Retain(); }
  SharedText(SharedText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  ~SharedText() { Release(); }
  SharedText& operator=(const SharedText& other) noexcept;
  SharedText& operator=(SharedText&& other) noexcept;
  // Replaces the text with a copy of these characters.
  SharedText& operator=(std::u16string_view text);

  std::u16string_view View() const {
    return block_ ? std::u16string_view(block_->chars, block_->size) : std::u16string_view();
  }
  operator std::u16string_view() const { return View(); }
  std::u16string ToString() const { return std::u16string(View()); }
  std::size_t size() const { return block_ ? block_->size : 0; }
  bool empty() const { return block_ == nullptr; }
  const char16_t* begin() const { return View().data(); }
  const char16_t* end() const { return begin() + size(); }
  char16_t operator[](std::size_t index) const { return block_->chars[index]; }
  // Whether both hold the very same characters in memory, not just equal ones.
  bool SharesWith(const SharedText& other) const { return block_ == other.block_; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.block_ == b.block_ || a.View() == b.View();
  }
  friend bool operator==(const SharedText& a, std::u16string_view b) { return a.View() == b; }

 private:
  struct Block {
    std::uint32_t references;
    std::uint32_t size;
    char16_t chars[1];
  };
  void Retain() const {
    if (block_) ++block_->references;
  }
  void Release() noexcept;
  Block* block_ = nullptr;  // none for the empty text
};

// Prints the text in UTF-8, for test failure messages.
void PrintTo(const SharedText& text, std::ostream* out);

}  // namespace platform
