#include "json_document.h"

#include <charconv>
#include <limits>

#include <nlohmann/json.hpp>

#include "utf8.h"

namespace platform::json {

Kind Value::kind() const { return document_->nodes_[index_].kind; }
bool Value::boolean() const { return document_->nodes_[index_].flag; }
bool Value::isWholeNumber() const {
  const auto& node = document_->nodes_[index_];
  return node.kind == Kind::Number && node.flag;
}
std::string_view Value::text() const {
  const auto& node = document_->nodes_[index_];
  return std::string_view(document_->pool_).substr(node.textOffset, node.textLength);
}
std::string_view Value::name() const {
  const auto& node = document_->nodes_[index_];
  return std::string_view(document_->pool_).substr(node.nameOffset, node.nameLength);
}
std::size_t Value::position() const { return document_->nodes_[index_].position; }
std::size_t Value::namePosition() const { return document_->nodes_[index_].namePosition; }
std::size_t Value::size() const { return document_->nodes_[index_].count; }
Value::Iterator Value::begin() const { return Iterator(document_, index_ + 1); }
Value::Iterator Value::end() const { return Iterator(document_, document_->nodes_[index_].end); }

Value::Iterator& Value::Iterator::operator++() {
  index_ = document_->nodes_[index_].end;
  return *this;
}

std::optional<Value> Value::member(std::string_view wanted) const {
  if (!isObject()) return std::nullopt;
  for (Value child : *this) {
    if (child.name() == wanted) return child;
  }
  return std::nullopt;
}

namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Hands the parser one byte at a time and keeps where it has read up to, so
// each value can be given its place in the file. Of a run of whitespace
// between tokens the parser sees only the first byte: it keeps every byte of
// the current token for its error message, and a long run would cost many
// times its size there. `skipped` counts the bytes it did not see.
// The parser reports a string at its closing quote; `stringStart` keeps
// where it began, so an error can point at the start of the token.
class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* at, const char* end, const char** cursor, std::size_t* skipped,
                   const char** stringStart)
      : at_(at), end_(end), cursor_(cursor), skipped_(skipped), stringStart_(stringStart) {}
  char operator*() const { return *at_; }
  TrackingIterator& operator++() {
    const char c = *at_++;
    if (inString_) {
      if (escaped_) {
        escaped_ = false;
      } else if (c == '\\') {
        escaped_ = true;
      } else if (c == '"') {
        inString_ = false;
      }
    } else if (c == '"') {
      inString_ = true;
      *stringStart_ = at_ - 1;
    } else if (IsJsonSpace(c)) {
      const char* from = at_;
      while (at_ != end_ && IsJsonSpace(*at_)) ++at_;
      *skipped_ += static_cast<std::size_t>(at_ - from);
    }
    *cursor_ = at_;
    return *this;
  }
  bool operator==(const TrackingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const TrackingIterator& other) const { return at_ != other.at_; }

 private:
  const char* at_;
  const char* end_;
  const char** cursor_;
  std::size_t* skipped_;
  const char** stringStart_;  // the opening quote of the last string begun
  bool inString_ = false;
  bool escaped_ = false;
};

}  // namespace

class DocumentBuilder {
 public:
  using json = nlohmann::json;
  using number_integer_t = json::number_integer_t;
  using number_unsigned_t = json::number_unsigned_t;
  using number_float_t = json::number_float_t;
  using string_t = json::string_t;
  using binary_t = json::binary_t;

  DocumentBuilder(Document& document, std::string_view text, std::size_t base,
                  const char* const* cursor)
      : document_(document), text_(text), base_(base), cursor_(cursor) {
    document_.pool_.reserve(text.size());
    document_.nodes_.reserve(text.size() / 16 + 1);
  }

  bool null() { return add(Kind::Null, false); }
  bool boolean(bool value) { return add(Kind::Boolean, value); }
  bool number_integer(number_integer_t value) { return addInteger(value); }
  bool number_unsigned(number_unsigned_t value) { return addInteger(value); }
  bool number_float(number_float_t, const string_t& text) {
    // Integers too long for 64 bits arrive here too; only the text decides.
    const bool whole = text.find_first_of(".eE") == string_t::npos;
    if (!add(Kind::Number, whole)) return false;
    setText(text);
    return true;
  }
  bool string(string_t& value) {
    if (!add(Kind::String, false)) return false;
    setText(value);
    return true;
  }
  bool binary(binary_t&) { return false; }
  bool key(string_t& name) {
    pendingNamePosition_ = TokenStart();
    pendingName_ = static_cast<std::uint32_t>(document_.pool_.size());
    pendingNameLength_ = static_cast<std::uint32_t>(name.size());
    document_.pool_ += name;
    hasName_ = true;
    return true;
  }
  bool start_object(std::size_t) { return open(Kind::Object); }
  bool end_object() {
    lastEnd_ = Consumed();
    return close();
  }
  bool start_array(std::size_t) { return open(Kind::Array); }
  bool end_array() {
    lastEnd_ = Consumed();
    return close();
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    errorPosition_ = position;
    errorMessage_ = e.what();
    return false;
  }

  bool tooDeep() const { return tooDeep_; }
  // The array or object the parser was inside when it stopped.
  struct Open {
    Kind kind;
    std::size_t position;  // of its '[' or '{' in the file
  };
  std::optional<Open> innermostOpen() const {
    if (open_.empty()) return std::nullopt;
    const auto& node = document_.nodes_[open_.back()];
    return Open{node.kind, node.position};
  }
  std::size_t errorPosition() const { return errorPosition_; }
  const std::string& errorMessage() const { return errorMessage_; }

 private:
  template <typename Integer>
  bool addInteger(Integer value) {
    if (!add(Kind::Number, true)) return false;
    // JSON allows no leading zeros or plus sign, so the canonical decimal is
    // the text as written, except for a zero written with its minus sign.
    if (value == 0 && text_[document_.nodes_.back().position - base_] == '-') {
      setText("-0");
      return true;
    }
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    setText(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    return true;
  }

  bool add(Kind kind, bool flag) {
    if (document_.nodes_.size() >= std::numeric_limits<std::uint32_t>::max() - 1) return false;
    Document::Node node{};
    node.kind = kind;
    node.flag = flag;
    node.position = TokenStart();
    if (hasName_) {
      node.nameOffset = pendingName_;
      node.nameLength = pendingNameLength_;
      node.namePosition = pendingNamePosition_;
      hasName_ = false;
    }
    if (!open_.empty()) ++document_.nodes_[open_.back()].count;
    node.end = static_cast<std::uint32_t>(document_.nodes_.size() + 1);
    document_.nodes_.push_back(node);
    return true;
  }

  void setText(std::string_view text) {
    auto& node = document_.nodes_.back();
    node.textOffset = static_cast<std::uint32_t>(document_.pool_.size());
    node.textLength = static_cast<std::uint32_t>(text.size());
    document_.pool_ += text;
  }

  bool open(Kind kind) {
    if (open_.size() >= static_cast<std::size_t>(kMaxNesting)) {
      tooDeep_ = true;
      return false;
    }
    if (!add(kind, false)) return false;
    open_.push_back(static_cast<std::uint32_t>(document_.nodes_.size() - 1));
    return true;
  }

  bool close() {
    document_.nodes_[open_.back()].end = static_cast<std::uint32_t>(document_.nodes_.size());
    open_.pop_back();
    return true;
  }

  std::size_t Consumed() const { return static_cast<std::size_t>(*cursor_ - text_.data()); }

  // The token just read starts at the first byte after the previous token
  // that is neither whitespace nor a separator. The parser may have read one
  // byte past a number; that byte is a delimiter, so skipping from there is
  // still right.
  std::uint32_t TokenStart() {
    std::size_t at = lastEnd_;
    while (at < text_.size() &&
           (IsJsonSpace(text_[at]) || text_[at] == ',' || text_[at] == ':')) {
      ++at;
    }
    lastEnd_ = Consumed();
    return static_cast<std::uint32_t>(base_ + at);
  }

  Document& document_;
  std::string_view text_;
  std::size_t base_;
  const char* const* cursor_;
  std::size_t lastEnd_ = 0;
  std::uint32_t pendingNamePosition_ = 0;
  std::vector<std::uint32_t> open_;
  std::uint32_t pendingName_ = 0, pendingNameLength_ = 0;
  bool hasName_ = false;
  bool tooDeep_ = false;
  std::size_t errorPosition_ = 0;
  std::string errorMessage_;
};

namespace {

// Where the nesting first goes past the limit, for the error message.
std::size_t FindTooDeep(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxNesting) return i;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return 0;
}

void Fail(ParseError* error, ParseError::Code code, std::size_t offset, std::string message) {
  if (error) *error = ParseError{code, offset, std::move(message), std::nullopt, Kind::Null};
}

}  // namespace

std::optional<Document> Parse(std::string_view bytes, ParseError* error) {
  std::size_t start = 0;
  if (bytes.starts_with(kByteOrderMark)) start = kByteOrderMark.size();
  const std::string_view text = bytes.substr(start);
  // The pool and node offsets are 32-bit.
  if (text.size() >= std::numeric_limits<std::uint32_t>::max() / 2) {
    Fail(error, ParseError::Code::TooLarge, 0, "file too large");
    return std::nullopt;
  }
  if (const std::size_t bad = FindInvalidUtf8(text); bad != kValidUtf8) {
    Fail(error, ParseError::Code::Utf8, start + bad, "invalid UTF-8");
    return std::nullopt;
  }
  // The parser would skip a second byte-order mark on its own; it is not
  // JSON whitespace, so it must fail here.
  if (text.starts_with(kByteOrderMark)) {
    Fail(error, ParseError::Code::Syntax, start, "unexpected byte-order mark");
    return std::nullopt;
  }

  // JSON text never holds a raw NUL, and the parser would take one as the
  // end of the input and accept whatever came before it.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    Fail(error, ParseError::Code::Syntax, start + nul, "unexpected NUL byte");
    return std::nullopt;
  }

  Document document;
  const char* cursor = text.data();
  const char* stringStart = text.data();
  std::size_t skipped = 0;
  DocumentBuilder builder(document, text, start, &cursor);
  const char* const end = text.data() + text.size();
  const bool ok = nlohmann::json::sax_parse(
      TrackingIterator(text.data(), end, &cursor, &skipped, &stringStart),
      TrackingIterator(end, end, &cursor, &skipped, &stringStart), &builder,
      nlohmann::json::input_format_t::json, true);
  if (ok) return document;
  if (builder.tooDeep()) {
    Fail(error, ParseError::Code::TooDeep, start + FindTooDeep(text),
         "nesting deeper than " + std::to_string(kMaxNesting) + " levels");
  } else {
    // The parser counts characters it saw, the offending one included; a
    // string it did not expect is pointed at by its opening quote.
    const std::size_t position = builder.errorPosition() + skipped;
    std::size_t offset = position > 0 ? position - 1 : 0;
    if (builder.errorMessage().find("unexpected string literal") != std::string::npos) {
      offset = static_cast<std::size_t>(stringStart - text.data());
    }
    Fail(error, ParseError::Code::Syntax, start + offset, builder.errorMessage());
    if (error) {
      if (const auto open = builder.innermostOpen()) {
        error->openedAt = open->position;
        error->openedKind = open->kind;
      }
    }
  }
  return std::nullopt;
}

}  // namespace platform::json
