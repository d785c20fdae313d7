#include "text_case_system.h"

#include <QChar>

namespace platform::system {

// Unicode's simple lower-case mapping, as Qt has it.
std::array<char16_t, 0x10000> LowerCaseMapping() {
  std::array<char16_t, 0x10000> result{};
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    const char32_t lower = surrogate ? unit : QChar::toLower(unit);
    // A mapping that leaves the 16-bit range cannot be done unit by unit.
    result[unit] = static_cast<char16_t>(lower < 0x10000 ? lower : unit);
  }
  return result;
}

}  // namespace platform::system
