#include "tools/check/syntax_message.h"

#include <algorithm>
#include <cstdio>

#include "platform/utf8.h"

namespace checker {

namespace {

// The reader's message has the form
//   "[json.exception.parse_error.101] parse error at line 1, column 4:
//    syntax error while parsing CONTEXT - unexpected TOKEN; expected TOKEN"
// or, when a token itself is malformed,
//   "... - PROBLEM; last read: 'TEXT'[; expected TOKEN]".
struct ParserMessage {
  std::string_view context;   // "value", "array", "object", "object key", ...
  std::string_view found;     // the unexpected token, or empty
  std::string_view problem;   // the malformed token's problem, or empty
  std::string_view expected;  // may be empty
};

std::string_view After(std::string_view text, std::string_view marker) {
  const std::size_t at = text.find(marker);
  return at == std::string_view::npos ? std::string_view() : text.substr(at + marker.size());
}

std::string_view Before(std::string_view text, std::string_view marker) {
  return text.substr(0, text.find(marker));
}

bool Split(std::string_view message, ParserMessage& parts) {
  std::string_view rest = After(message, "syntax error ");
  if (rest.empty()) return false;
  if (rest.starts_with("while parsing ")) {
    parts.context = Before(rest.substr(14), " - ");
  }
  rest = After(rest, "- ");
  if (rest.starts_with("unexpected ")) {
    rest.remove_prefix(11);
    parts.found = Before(rest, "; expected ");
    parts.expected = After(rest, "; expected ");
    return true;
  }
  parts.problem = Before(rest, "; last read: ");
  // The last-read text may itself hold "; expected ", so look from the end.
  const std::size_t expected = rest.rfind("'; expected ");
  if (expected != std::string_view::npos && expected >= parts.problem.size()) {
    parts.expected = rest.substr(expected + 12);
  }
  return !parts.problem.empty();
}

std::string FoundName(std::string_view token) {
  if (token == "string literal") return "a string";
  if (token == "number literal") return "a number";
  if (token == "true literal") return "true";
  if (token == "false literal") return "false";
  if (token == "null literal") return "null";
  if (token == "end of input") return "the end of the file";
  return std::string(token);
}

std::string ExpectedName(std::string_view token, std::string_view context) {
  if (token == "'[', '{', or a literal") return "a value";
  if (token == "string literal") return "a member name in double quotes";
  if (token == "':'") return "':' after the member name";
  if (token == "']'" && context == "array") return "',' or ']'";
  if (token == "'}'" && context == "object") return "',' or '}'";
  return std::string(token);
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDelimiter(char c) {
  return IsSpace(c) || c == ',' || c == ':' || c == '[' || c == ']' || c == '{' || c == '}' ||
         c == '"';
}

// The last character before `offset` that is not whitespace, or 0.
char PreviousCharacter(std::string_view bytes, std::size_t offset) {
  while (offset > 0 && IsSpace(bytes[offset - 1])) --offset;
  return offset > 0 ? bytes[offset - 1] : '\0';
}

bool OnlyWhitespace(std::string_view bytes) {
  if (bytes.starts_with(platform::kByteOrderMark)) bytes.remove_prefix(platform::kByteOrderMark.size());
  for (char c : bytes) {
    if (!IsSpace(c)) return false;
  }
  return true;
}

std::string Quote(std::string_view text) {
  constexpr std::size_t kMaxBytes = 40;
  std::string out = "\"";
  for (char c : text.substr(0, kMaxBytes)) {
    if (static_cast<unsigned char>(c) < 0x20) return out + "…\"";
    out += c;
  }
  return out + (text.size() > kMaxBytes ? "…\"" : "\"");
}

// The reader stops inside or just after a malformed word; find the word.
std::string MalformedWord(std::string_view bytes, std::size_t offset, bool& singleQuote,
                          bool& slash) {
  std::size_t start = std::min(offset, bytes.size());
  while (start > 0 && !IsDelimiter(bytes[start - 1])) --start;
  if (start < bytes.size() && start == offset && IsDelimiter(bytes[start])) {
    return {};
  }
  std::size_t end = start;
  while (end < bytes.size() && !IsDelimiter(bytes[end])) ++end;
  const std::string_view word = bytes.substr(start, end - start);
  singleQuote = word.starts_with("'");
  slash = word.starts_with("/");
  return std::string(word);
}

std::string TokenProblem(const ParserMessage& parts, std::string_view bytes, std::size_t offset) {
  const std::string_view problem = parts.problem;
  if (problem == "invalid literal") {
    bool singleQuote = false, slash = false;
    const std::string word = MalformedWord(bytes, offset, singleQuote, slash);
    if (singleQuote) return "text and member names need double quotes, not single quotes";
    if (slash) return "comments are not allowed in JSON";
    if (parts.expected == "end of input") {
      return "unexpected " + Quote(word) + " after the end of the catalog";
    }
    return "unknown word " + Quote(word) +
           "; the only words are true, false and null, and text needs double quotes";
  }
  if (problem == "invalid string: missing closing quote") return "text has no closing quote";
  if (problem == "invalid string: forbidden character after backslash") {
    return "a backslash in text starts an escape such as \\n; write \\\\ for a backslash itself";
  }
  if (problem.starts_with("invalid string: ")) {
    return "inside text, " + std::string(problem.substr(16));
  }
  if (problem.starts_with("invalid number; ")) {
    return "invalid number: " + std::string(problem.substr(16));
  }
  return std::string(problem);
}

std::string UnexpectedToken(const ParserMessage& parts, std::string_view bytes,
                            std::size_t offset, const OpenContainer* open) {
  const std::string found = FoundName(parts.found);
  if (parts.expected == "end of input")
    return "unexpected " + found + " after the end of the catalog";
  const std::string expected = ExpectedName(parts.expected, parts.context);
  if (parts.found == "end of input") {
    if (OnlyWhitespace(bytes)) return "the file is empty; it must hold an array [ ... ] of games";
    return "the file ends too early: expected " + expected;
  }
  if (expected.empty()) return "unexpected " + found;
  // A '{' where an object's ',' or '}' belongs starts the next element: the
  // object before it was never closed; the same for a closer of the other
  // kind.
  if (open && open->isObject && parts.context == "object" &&
      (parts.found == "'{'" || parts.found == "']'")) {
    return "expected '}' to close the object opened at " + open->openedAt + ", found " + found;
  }
  if (open && !open->isObject && parts.context == "array" && parts.found == "'}'") {
    return "expected ']' to close the array opened at " + open->openedAt + ", found " + found;
  }
  const bool closing = parts.found == "']'" || parts.found == "'}'";
  if (closing && PreviousCharacter(bytes, offset) == ',') {
    return "expected " + expected + " after ',', found " + found + " (remove the last comma)";
  }
  std::string message = "expected " + expected + ", found " + found;
  if ((parts.context == "array" || parts.context == "object") && !closing && parts.found != "':'" &&
      parts.found != "','") {
    message += " (missing comma?)";
  }
  return message;
}

}  // namespace

std::string SyntaxMessage(std::string_view parserMessage, std::string_view bytes,
                          std::size_t offset, const OpenContainer* open) {
  ParserMessage parts;
  if (Split(parserMessage, parts)) {
    return parts.problem.empty() ? UnexpectedToken(parts, bytes, offset, open)
                                 : TokenProblem(parts, bytes, offset);
  }
  // Faults the reader finds before parsing, told by the bytes they stop at.
  const std::string_view at = bytes.substr(std::min(offset, bytes.size()));
  if (at.starts_with('\0')) return "unexpected NUL byte; if the file is UTF-16, save it as UTF-8";
  if (at.starts_with(platform::kByteOrderMark))
    return "a second byte-order mark; only one may start the file";
  return std::string(parserMessage);
}

std::string Utf8Message(std::string_view bytes, std::size_t offset) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "the file is UTF-16; save it as UTF-8";
  }
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X",
                offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0u);
  return std::string("byte ") + byte + " is not UTF-8; save the file as UTF-8";
}

}  // namespace checker
