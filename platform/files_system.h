#pragma once

// What each system's file services give the common ones (files_posix.cpp,
// files_windows.cpp); not offered outside the services.

#include <string>

namespace platform::system {

// The running executable's full path; empty when the system does not say.
std::u16string ExecutablePath();

// The system's per-user settings folder, without the overrides of tests.
std::u16string SettingsBase();

}  // namespace platform::system
