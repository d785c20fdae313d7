#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "tools/check/catalog_checker.h"

namespace checker {

enum class ReportFormat {
  // Compiler-style lines (FormatFinding), a line for each code's findings
  // left out (FormatOmitted), then the summary (FormatSummary).
  Text,
  // A JSON array of {path, line, column, severity, code, message}; line and
  // column are null for a finding with no place in games.json. Each code's
  // findings left out are one more element of that shape, its message
  // FormatOmitted's and an "omitted" member with their number. For editors
  // and CI.
  Json,
  // A SARIF 2.1.0 log for code-scanning tools: one run of the tool
  // "velmar-check", each diagnostic code a rule; findings left out are told
  // as the run's tool notifications.
  Sarif,
};

// Writes a check's findings in a format as they come, so that a catalog
// with millions of findings is written without holding them.
class ReportWriter : public FindingSink {
 public:
  using Output = std::function<void(std::string_view)>;
  // After the last finding: what closes the report.
  virtual void Finish(const Summary& summary) = 0;
};

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, ReportWriter::Output output,
                                               const std::string& toolVersion);

// A whole report in a format, as the writer writes it.
std::string FormatReport(ReportFormat format, const Report& report,
                         const std::string& toolVersion = "");
inline std::string FormatJson(const Report& report) {
  return FormatReport(ReportFormat::Json, report);
}
inline std::string FormatSarif(const Report& report, const std::string& toolVersion) {
  return FormatReport(ReportFormat::Sarif, report, toolVersion);
}

}  // namespace checker
