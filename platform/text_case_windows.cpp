#include "text_case_system.h"

#include <windows.h>

#include <memory>

namespace platform::system {

// CharLowerBuffW, the lower-casing the search is defined by on Windows, asked
// once for every unit. Surrogate halves are left out of the call: side by
// side they would form pairs and be lower-cased as characters.
std::array<char16_t, 0x10000> LowerCaseMapping() {
  const auto units = std::make_unique<wchar_t[]>(0x10000);
  for (std::size_t unit = 0; unit < 0x10000; ++unit) units[unit] = static_cast<wchar_t>(unit);
  CharLowerBuffW(units.get(), 0xD800);
  CharLowerBuffW(units.get() + 0xE000, 0x10000 - 0xE000);
  std::array<char16_t, 0x10000> result{};
  for (std::size_t unit = 0; unit < 0x10000; ++unit) result[unit] = static_cast<char16_t>(units[unit]);
  return result;
}

}  // namespace platform::system
