#include "running_mark.h"

#include <windows.h>

namespace platform {

// The installer (packaging/windows/velmar.nsi) opens a mutex of this name.
RunningMark::RunningMark() : handle_(CreateMutexW(nullptr, FALSE, L"Velmar.Running")) {}

RunningMark::~RunningMark() {
  if (handle_) CloseHandle(handle_);
}

}  // namespace platform
