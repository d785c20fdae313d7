#pragma once

// The system's own lower-casing (text_case_posix.cpp, text_case_windows.cpp);
// not offered outside the services.

#include <array>

namespace platform::system {

// Every UTF-16 unit lower-cased alone; surrogate halves map to themselves.
std::array<char16_t, 0x10000> LowerCaseMapping();

}  // namespace platform::system
