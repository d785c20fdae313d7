#include "platform/controls/shell_system.h"

#include <windows.h>
#include <shellapi.h>

namespace fmx::system {

void OpenAddress(const std::u16string& address) {
  const std::wstring wide(address.begin(), address.end());
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace fmx::system
