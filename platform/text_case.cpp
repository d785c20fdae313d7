#include "text_case.h"

#include <QChar>

#include <array>

namespace platform {

// The search lower-cases every searched field on every keystroke; one table
// lookup per unit keeps that cheap.
const std::array<char16_t, 0x10000>& LowerCaseTable() {
  static const auto table = [] {
    std::array<char16_t, 0x10000> result{};
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
      const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
      const char32_t lower = surrogate ? unit : QChar::toLower(unit);
      // A mapping that leaves the 16-bit range cannot be done unit by unit.
      result[unit] = static_cast<char16_t>(lower < 0x10000 ? lower : unit);
    }
    return result;
  }();
  return table;
}

char16_t LowerCaseUnit(char16_t unit) { return LowerCaseTable()[unit]; }

void LowerCaseInPlace(std::u16string& text) {
  const auto& table = LowerCaseTable();
  for (char16_t& unit : text) unit = table[unit];
}

}  // namespace platform
