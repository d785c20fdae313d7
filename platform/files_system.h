#pragma once

// What each system's file services give the common ones (files_posix.cpp,
// files_windows.cpp); not offered outside the services.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::system {

// The running executable's full path; empty when the system does not say.
std::u16string ExecutablePath();

// ReadWholeFile once the path is known to name a regular file: opened so that
// others cannot write meanwhile, and refused if it is something else by then.
std::optional<std::string> ReadRegularFile(std::u16string_view path, std::size_t maxBytes,
                                           std::string* reason);

// The system's per-user settings folder, without the overrides of tests.
std::u16string SettingsBase();

}  // namespace platform::system
