#pragma once

#include <functional>
#include <string>

namespace fmx {

// Hands an address to the system's default handler ("open"), unchanged. The
// result is not reported.
void ShellOpen(const std::u16string& address);

// Replaces the shell (tests record the address). An empty handler restores
// the real one; the previous handler is returned.
using TShellHandler = std::function<void(const std::u16string& address)>;
TShellHandler SetShellHandler(TShellHandler handler);

}  // namespace fmx
