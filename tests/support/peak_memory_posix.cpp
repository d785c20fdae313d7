#include "support/peak_memory.h"

#include <fstream>
#include <string>

namespace testing_support {

namespace {

std::optional<std::size_t> StatusField(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) {
      return std::stoull(line.substr(field.size() + 1)) * 1024;  // the file says kB
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> CurrentResident() { return StatusField("VmRSS"); }
std::optional<std::size_t> PeakResident() { return StatusField("VmHWM"); }

bool ResetPeakResident() {
  // "5" resets the peak resident size (Linux 4.0 and later).
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return clear.good();
}

std::optional<std::size_t> PeakGrowthDuring(const std::function<void()>& work) {
  const auto before = CurrentResident();
  if (!before || !ResetPeakResident()) return std::nullopt;
  work();
  const auto peak = PeakResident();
  if (!peak) return std::nullopt;
  return *peak > *before ? *peak - *before : 0;
}

}  // namespace testing_support
