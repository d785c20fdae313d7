#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::json {

enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };

class Document;

// A read-only view of one value inside a Document. Cheap to copy; valid while
// the Document lives.
class Value {
 public:
  Kind kind() const;
  bool isNull() const { return kind() == Kind::Null; }
  bool isObject() const { return kind() == Kind::Object; }
  bool isArray() const { return kind() == Kind::Array; }

  bool boolean() const;
  // String content (UTF-8, escapes decoded) or a number's text as written.
  std::string_view text() const;
  // A number written without fraction or exponent.
  bool isWholeNumber() const;
  // The member name when this value sits in an object.
  std::string_view name() const;
  // Byte offsets in the file (byte-order mark included): where the value
  // starts, and where its member name's opening quote is.
  std::size_t position() const;
  std::size_t namePosition() const;

  // Elements of an array or members of an object, in file order.
  std::size_t size() const;
  class Iterator;
  Iterator begin() const;
  Iterator end() const;

  // The first member with exactly this name.
  std::optional<Value> member(std::string_view name) const;

 private:
  friend class Document;
  Value(const Document* document, std::uint32_t index) : document_(document), index_(index) {}
  const Document* document_;
  std::uint32_t index_;
};

class Value::Iterator {
 public:
  Value operator*() const { return Value(document_, index_); }
  Iterator& operator++();
  bool operator==(const Iterator& other) const { return index_ == other.index_; }

 private:
  friend class Value;
  Iterator(const Document* document, std::uint32_t index) : document_(document), index_(index) {}
  const Document* document_;
  std::uint32_t index_;
};

struct ParseError {
  enum class Code { None, Utf8, Syntax, TooDeep, TooLarge };
  Code code = Code::None;
  std::size_t offset = 0;  // byte offset in the file, byte-order mark included
  std::string message;
  // A syntax error inside an array or object: where the innermost one opened
  // (byte offset in the file), and which kind it is.
  std::optional<std::size_t> openedAt;
  Kind openedKind = Kind::Null;
};

// Values are kept in one flat array in file order; each container knows where
// its subtree ends, so walking needs no pointers and no recursion.
class Document {
 public:
  Value root() const { return Value(this, 0); }

 private:
  friend class Value;
  friend class DocumentBuilder;
  struct Node {
    Kind kind;
    bool flag;  // Boolean value, or "whole number" for numbers
    std::uint32_t textOffset = 0, textLength = 0;
    std::uint32_t nameOffset = 0, nameLength = 0;
    std::uint32_t position = 0, namePosition = 0;  // byte offsets in the file
    std::uint32_t end = 0;    // index one past this node's subtree
    std::uint32_t count = 0;  // children of a container
  };
  std::vector<Node> nodes_;
  std::string pool_;
};

inline constexpr int kMaxNesting = 512;

// Parses a whole file's bytes: one leading EF BB BF is skipped, the rest must
// be strict UTF-8 holding exactly one JSON value with optional whitespace.
std::optional<Document> Parse(std::string_view bytes, ParseError* error = nullptr);

}  // namespace platform::json
