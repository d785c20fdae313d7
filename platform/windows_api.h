#pragma once

// Small pieces over the Windows API that the Windows files of the services
// and of the control layer share.

#include <windows.h>

#include <string>

namespace platform::windows {

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  // CreateFileW fails with INVALID_HANDLE_VALUE, most other calls with null.
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  HANDLE* Out() { return &handle_; }
  bool Close() {
    const bool ok = !Valid() || CloseHandle(handle_) != 0;
    handle_ = nullptr;
    return ok;
  }

 private:
  HANDLE handle_;
};

// The running executable's full path as the system has it; empty when the
// system does not say.
inline std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace platform::windows
