#include "tools/check/report_formats.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "platform/utf8.h"

namespace checker {

namespace {

// Members keep the order they are written in.
using json = nlohmann::ordered_json;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

// Every finding's text is valid UTF-8 already; replace rather than throw
// should that ever not hold.
std::string Dump(const json& value) {
  return value.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

// A path as a URI reference: '/' separated, everything outside the
// unreserved characters percent-encoded, absolute paths as file: URIs.
std::string PathUri(std::u16string_view path) {
  std::string text = Utf8(path);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  std::string uri;
  const bool absolute = text.starts_with('/') || (text.size() > 1 && text[1] == ':');
  if (absolute) uri = text.starts_with('/') ? "file://" : "file:///";
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri;
}

}  // namespace

std::string FormatJson(const Report& report) {
  json findings = json::array();
  for (const Finding& finding : report.findings) {
    json entry = {{"path", Utf8(finding.path)},
                  {"line", nullptr},
                  {"column", nullptr},
                  {"severity", std::string(SeverityName(finding.severity))},
                  {"code", finding.code},
                  {"message", finding.message}};
    if (finding.line > 0) {
      entry["line"] = finding.line;
      entry["column"] = finding.column;
    }
    findings.push_back(std::move(entry));
  }
  return Dump(findings);
}

std::string FormatSarif(const Report& report, const std::string& toolVersion) {
  json rules = json::array();
  for (const DiagnosticCode& code : kDiagnosticCodes) {
    rules.push_back({{"id", std::string(code.code)},
                     {"shortDescription", {{"text", std::string(code.help)}}},
                     {"defaultConfiguration", {{"level", std::string(SeverityName(code.severity))}}}});
  }
  json results = json::array();
  for (const Finding& finding : report.findings) {
    std::size_t ruleIndex = 0;
    while (kDiagnosticCodes[ruleIndex].code != finding.code) ++ruleIndex;  // codes are documented
    json location = {{"physicalLocation", {{"artifactLocation", {{"uri", PathUri(finding.path)}}}}}};
    if (finding.line > 0) {
      location["physicalLocation"]["region"] = {{"startLine", finding.line},
                                                {"startColumn", finding.column}};
    }
    results.push_back({{"ruleId", finding.code},
                       {"ruleIndex", ruleIndex},
                       {"level", std::string(SeverityName(finding.severity))},
                       {"message", {{"text", finding.message}}},
                       {"locations", json::array({location})}});
  }
  const json log = {
      {"version", "2.1.0"},
      {"runs", json::array({{{"tool", {{"driver", {{"name", "velmar-check"},
                                                   {"version", toolVersion},
                                                   {"rules", rules}}}}},
                             {"columnKind", "unicodeCodePoints"},
                             {"results", results}}})}};
  return Dump(log);
}

}  // namespace checker
