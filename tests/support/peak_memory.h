#pragma once

#include <cstddef>
#include <optional>

namespace testing_support {

// The process's resident memory now, and the highest it has been since the
// last ResetPeakResident, in bytes. Empty where the system does not say
// (Linux only).
std::optional<std::size_t> CurrentResident();
std::optional<std::size_t> PeakResident();
bool ResetPeakResident();

}  // namespace testing_support
