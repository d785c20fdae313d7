#pragma once

#include <string>

#include "tools/check/catalog_checker.h"

namespace checker {

// The findings as a JSON array of {path, line, column, severity, code,
// message}; line and column are null for a finding with no place in
// games.json. For editors and CI.
std::string FormatJson(const Report& report);

// The findings as a SARIF 2.1.0 log for code-scanning tools: one run of the
// tool "velmar-check", each diagnostic code a rule.
std::string FormatSarif(const Report& report, const std::string& toolVersion);

}  // namespace checker
