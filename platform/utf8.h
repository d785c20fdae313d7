#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::size_t kValidUtf8 = std::string_view::npos;

// The UTF-8 byte-order mark, EF BB BF.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Offset of the first byte that is not part of a well-formed UTF-8 sequence,
// or kValidUtf8. Strict: overlong forms, encoded surrogates and code points
// above U+10FFFF are all rejected.
std::size_t FindInvalidUtf8(std::string_view bytes);

// Converts UTF-8; a byte that is not part of a well-formed sequence becomes
// U+FFFD, so text from the system (error messages, arguments) is safe too.
std::u16string Utf8ToUtf16(std::string_view utf8);
// The same into `out`, which has room for Utf16Length(utf8) units; answers
// how many it wrote.
std::size_t Utf16Length(std::string_view utf8);
std::size_t Utf8ToUtf16(std::string_view utf8, char16_t* out);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
