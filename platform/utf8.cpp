#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed sequence that starts at data[i], or 0. Strict:
// overlong forms, encoded surrogates and code points above U+10FFFF are not
// well-formed.
std::size_t SequenceLength(const unsigned char* data, std::size_t i, std::size_t size) {
  const unsigned char lead = data[i];
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char secondMin = 0x80, secondMax = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondMin = 0xA0;       // overlong
    else if (lead == 0xED) secondMax = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondMin = 0x90;       // overlong
    else if (lead == 0xF4) secondMax = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > size || data[i + 1] < secondMin || data[i + 1] > secondMax) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!IsContinuation(data[i + k])) return 0;
  }
  return length;
}

}  // namespace

std::size_t FindInvalidUtf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    // Most catalog text is ASCII: skip it eight bytes at a time.
    while (i + 8 <= size) {
      std::uint64_t chunk;
      std::memcpy(&chunk, data + i, sizeof chunk);
      if (chunk & 0x8080808080808080ULL) break;
      i += 8;
    }
    if (i >= size) break;
    const std::size_t length = SequenceLength(data, i, size);
    if (length == 0) return i;
    i += length;
  }
  return kValidUtf8;
}

std::size_t Utf16Length(std::string_view utf8) {
  const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::size_t units = 0;
  for (std::size_t i = 0; i < size;) {
    const std::size_t length = SequenceLength(data, i, size);
    units += length == 4 ? 2 : 1;
    i += length == 0 ? 1 : length;
  }
  return units;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  // Never more units than bytes: a four-byte sequence gives two.
  std::u16string out(utf8.size(), u'\0');
  out.resize(Utf8ToUtf16(utf8, out.data()));
  return out;
}

std::size_t Utf8ToUtf16(std::string_view utf8, char16_t* const out) {
  const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  char16_t* to = out;
  for (std::size_t i = 0; i < size;) {
    const unsigned char lead = data[i];
    switch (SequenceLength(data, i, size)) {
      case 1:
        *to++ = lead;
        i += 1;
        break;
      case 2:
        *to++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (data[i + 1] & 0x3F));
        i += 2;
        break;
      case 3:
        *to++ = static_cast<char16_t>(((lead & 0x0F) << 12) | ((data[i + 1] & 0x3F) << 6) |
                                      (data[i + 2] & 0x3F));
        i += 3;
        break;
      case 4: {
        const char32_t cp = ((lead & 0x07) << 18) | ((data[i + 1] & 0x3F) << 12) |
                            ((data[i + 2] & 0x3F) << 6) | (data[i + 3] & 0x3F);
        *to++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        *to++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        i += 4;
        break;
      }
      default:  // not well-formed: one replacement character per byte
        *to++ = 0xFFFD;
        i += 1;
        break;
    }
  }
  return static_cast<std::size_t>(to - out);
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

}  // namespace platform
