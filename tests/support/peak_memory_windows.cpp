#include "support/peak_memory.h"

#include <windows.h>
#include <psapi.h>

namespace testing_support {

namespace {

std::optional<PROCESS_MEMORY_COUNTERS> Counters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return std::nullopt;
  return counters;
}

}  // namespace

std::optional<std::size_t> CurrentResident() {
  const auto counters = Counters();
  if (!counters) return std::nullopt;
  return counters->WorkingSetSize;
}

std::optional<std::size_t> PeakResident() {
  const auto counters = Counters();
  if (!counters) return std::nullopt;
  return counters->PeakWorkingSetSize;
}

// Windows keeps the peak working set for the life of the process and cannot
// be told to forget it.
bool ResetPeakResident() { return false; }

// Without a reset, the growth is the peak after the work less the resident
// size before it, which is exact when the peak before was not higher: each
// test runs in a process of its own, so the peak before is the small one of
// its start. A higher earlier peak makes the figure too large, never too small.
std::optional<std::size_t> PeakGrowthDuring(const std::function<void()>& work) {
  const auto before = CurrentResident();
  if (!before) return std::nullopt;
  work();
  const auto peak = PeakResident();
  if (!peak) return std::nullopt;
  return *peak > *before ? *peak - *before : 0;
}

}  // namespace testing_support
