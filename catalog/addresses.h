#pragma once

// Which addresses the program hands to the system.

#include <string>
#include <string_view>

namespace GameData {

// An address the program hands to the system: its scheme is http or https,
// in any letter case. Anything else (a program path, file:, a scheme that
// starts an application) is not opened.
bool IsWebAddress(std::u16string_view address);

}  // namespace GameData
