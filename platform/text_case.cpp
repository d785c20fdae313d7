#include "text_case.h"

#include "text_case_system.h"

namespace platform {

// The search lower-cases every searched field on every keystroke; one table
// lookup per unit keeps that cheap.
const std::array<char16_t, 0x10000>& LowerCaseTable() {
  static const std::array<char16_t, 0x10000> table = system::LowerCaseMapping();
  return table;
}

char16_t LowerCaseUnit(char16_t unit) { return LowerCaseTable()[unit]; }

void LowerCaseInPlace(std::u16string& text) {
  const auto& table = LowerCaseTable();
  for (char16_t& unit : text) unit = table[unit];
}

}  // namespace platform
