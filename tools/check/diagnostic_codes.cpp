#include "tools/check/diagnostic_codes.h"

#include <stdexcept>
#include <string>

namespace checker {

const DiagnosticCode& FindDiagnosticCode(std::string_view code) {
  for (const DiagnosticCode& entry : kDiagnosticCodes) {
    if (entry.code == code) return entry;
  }
  throw std::logic_error("undocumented diagnostic code " + std::string(code));
}

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      break;
  }
  return "note";
}

}  // namespace checker
