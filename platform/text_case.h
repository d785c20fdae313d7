#pragma once

#include <array>
#include <string>

namespace platform {

// Lower-cases one UTF-16 unit by the system's simple case mapping: Latin,
// Cyrillic (Ё → ё included) and every other script with small letters.
// Nothing else is folded: ё stays apart from е, accents stay, and surrogate
// halves pass unchanged.
char16_t LowerCaseUnit(char16_t unit);

void LowerCaseInPlace(std::u16string& text);

// The whole mapping, for loops that lower-case as they compare.
const std::array<char16_t, 0x10000>& LowerCaseTable();

}  // namespace platform
