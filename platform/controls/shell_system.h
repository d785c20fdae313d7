#pragma once

// The system's default handler for addresses (shell_posix.cpp,
// shell_windows.cpp); the layer's own.

#include <string>

namespace fmx::system {

// Hands the address, unchanged, to the handler the user chose; the result
// is not looked at.
void OpenAddress(const std::u16string& address);

}  // namespace fmx::system
