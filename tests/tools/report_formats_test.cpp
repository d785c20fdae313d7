// velmar-check's findings for machines: a JSON array, and a SARIF log that
// code-scanning tools take.

#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include <set>
#include <string>

#include "checker_test_support.h"
#include "tools/check/report_formats.h"

using checker::Finding;
using checker::Report;
using checker::Severity;
using nlohmann::json;

namespace {

// One finding with a place, one without, and text that needs escaping.
Report SampleReport() {
  Report report;
  report.games = 2;
  report.findings = {
      {Severity::Error, "json-syntax", u"мой каталог/games.json", 3, 14,
       "expected ',' or '}', found a string \"x\"\\ (missing comma?)"},
      {Severity::Warning, "missing-file", u"/data/assets/icon/apk-icon.png", 0, 0,
       "icon not found; the APK button shows no icon"},
      {Severity::Note, "qr-enlarged", u"games.json", 1, 2, "QR image is 29 x 29"}};
  return report;
}

TEST(ReportFormats, JsonIsAnArrayOfFindingsWithNullPlaces) {
  const json findings = json::parse(checker::FormatJson(SampleReport()));
  ASSERT_TRUE(findings.is_array());
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[0],
            (json{{"path", "мой каталог/games.json"},
                  {"line", 3},
                  {"column", 14},
                  {"severity", "error"},
                  {"code", "json-syntax"},
                  {"message", "expected ',' or '}', found a string \"x\"\\ (missing comma?)"}}));
  EXPECT_TRUE(findings[1]["line"].is_null());
  EXPECT_TRUE(findings[1]["column"].is_null());
  EXPECT_EQ(findings[1]["severity"], "warning");
  EXPECT_EQ(findings[2]["severity"], "note");
  EXPECT_EQ(json::parse(checker::FormatJson(Report{})), json::array());
}

// What a SARIF consumer reads: one run, the tool and its rules, and for each
// result its rule, level, message and place.
TEST(ReportFormats, SarifHasTheStructureConsumersRead) {
  const Report report = SampleReport();
  const json log = json::parse(checker::FormatSarif(report, "1.2.3"));
  EXPECT_EQ(log.at("version"), "2.1.0");
  ASSERT_EQ(log.at("runs").size(), 1u);
  const json& run = log["runs"][0];
  const json& driver = run.at("tool").at("driver");
  EXPECT_EQ(driver.at("name"), "velmar-check");
  EXPECT_EQ(driver.at("version"), "1.2.3");

  const json& rules = driver.at("rules");
  ASSERT_EQ(rules.size(), std::size(checker::kDiagnosticCodes));
  std::set<std::string> ids;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    EXPECT_EQ(rules[i].at("id"), std::string(checker::kDiagnosticCodes[i].code));
    EXPECT_FALSE(rules[i].at("shortDescription").at("text").get<std::string>().empty());
    ids.insert(rules[i]["id"].get<std::string>());
  }
  EXPECT_EQ(ids.size(), rules.size()) << "rule ids are unique";

  const json& results = run.at("results");
  ASSERT_EQ(results.size(), report.findings.size());
  const char* levels[] = {"error", "warning", "note"};
  for (std::size_t i = 0; i < results.size(); ++i) {
    const Finding& finding = report.findings[i];
    const json& result = results[i];
    EXPECT_EQ(result.at("ruleId"), finding.code);
    EXPECT_EQ(rules[result.at("ruleIndex").get<std::size_t>()].at("id"), finding.code);
    EXPECT_EQ(result.at("level"), levels[i]);
    EXPECT_EQ(result.at("message").at("text"), finding.message);
    const json& location = result.at("locations").at(0).at("physicalLocation");
    EXPECT_FALSE(location.at("artifactLocation").at("uri").get<std::string>().empty());
    if (finding.line > 0) {
      EXPECT_EQ(location.at("region").at("startLine"), finding.line);
      EXPECT_EQ(location.at("region").at("startColumn"), finding.column);
    } else {
      EXPECT_FALSE(location.contains("region"));
    }
  }
  // Paths are URI references: spaces and non-ASCII letters escaped, absolute
  // paths as file: URIs.
  EXPECT_EQ(results[0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
            "%D0%BC%D0%BE%D0%B9%20%D0%BA%D0%B0%D1%82%D0%B0%D0%BB%D0%BE%D0%B3/games.json");
  EXPECT_EQ(results[1]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
            "file:///data/assets/icon/apk-icon.png");
}

TEST(DiagnosticCodes, EveryCodeIsDocumentedOnceAndUnknownCodesAreRefused) {
  std::set<std::string_view> codes;
  for (const checker::DiagnosticCode& code : checker::kDiagnosticCodes) {
    EXPECT_TRUE(codes.insert(code.code).second) << code.code;
    EXPECT_FALSE(code.help.empty()) << code.code;
    EXPECT_EQ(&checker::FindDiagnosticCode(code.code), &code);
  }
  EXPECT_THROW(checker::FindDiagnosticCode("no-such-code"), std::logic_error);
}

}  // namespace
