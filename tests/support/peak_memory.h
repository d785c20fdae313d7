#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>

namespace testing_support {

// The process's resident memory now, and the highest it has been since the
// last ResetPeakResident, in bytes. Empty where the system does not say
// (Linux only).
std::optional<std::size_t> CurrentResident();
std::optional<std::size_t> PeakResident();
bool ResetPeakResident();

// How far the resident memory rose above where it was while `work` ran.
std::optional<std::size_t> PeakGrowthDuring(const std::function<void()>& work);

// Writes a file of `size` line breaks: a catalog of nothing but whitespace.
void WriteLineBreaks(const std::filesystem::path& file, std::size_t size);

}  // namespace testing_support
