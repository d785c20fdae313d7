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

// The sample, as if 100 were kept of each code: 2,500 more duplicate ids
// and one more unknown key were left out.
Report CappedReport() {
  Report report = SampleReport();
  report.omitted = {{"unknown-key", Severity::Warning, 1}, {"duplicate-id", Severity::Warning, 2500}};
  report.counts = {1, 2502, 1};
  return report;
}

TEST(ReportFormats, EachFormatSaysWhatWasLeftOut) {
  const Report report = CappedReport();
  const std::string text = checker::FormatReport(checker::ReportFormat::Text, report);
  EXPECT_THAT(text, ::testing::EndsWith("[qr-enlarged]\n"
                                        "… and 1 more [unknown-key]\n"
                                        "… and 2,500 more [duplicate-id]\n"
                                        "2 games, 1 error, 2502 warnings, 1 note\n"));

  const json findings = json::parse(checker::FormatJson(report));
  ASSERT_EQ(findings.size(), 5u);
  EXPECT_FALSE(findings[2].contains("omitted")) << "findings have no such member";
  EXPECT_EQ(findings[4], (json{{"path", nullptr},
                               {"line", nullptr},
                               {"column", nullptr},
                               {"severity", "warning"},
                               {"code", "duplicate-id"},
                               {"message", "… and 2,500 more [duplicate-id]"},
                               {"omitted", 2500}}));
  EXPECT_EQ(findings[3]["omitted"], 1);

  const json log = json::parse(checker::FormatSarif(report, "1.0.0"));
  const json& run = log.at("runs").at(0);
  EXPECT_EQ(run.at("results").size(), 3u);
  const json& notifications = run.at("invocations").at(0).at("toolExecutionNotifications");
  ASSERT_EQ(notifications.size(), 2u);
  EXPECT_EQ(notifications[1].at("message").at("text"), "… and 2,500 more [duplicate-id]");
  EXPECT_EQ(notifications[1].at("associatedRule").at("id"), "duplicate-id");
  const std::size_t rule = notifications[1].at("associatedRule").at("index");
  EXPECT_EQ(run.at("tool").at("driver").at("rules").at(rule).at("id"), "duplicate-id");
  EXPECT_EQ(notifications[1].at("properties").at("omitted"), 2500);
  EXPECT_EQ(run.at("invocations").at(0).at("executionSuccessful"), true);

  // Nothing left out: no trace of it.
  EXPECT_FALSE(json::parse(checker::FormatSarif(SampleReport(), "1.0.0"))["runs"][0].contains(
      "invocations"));
  EXPECT_EQ(json::parse(checker::FormatJson(SampleReport())).size(), 3u);
}

// Empty reports are whole documents too.
TEST(ReportFormats, EmptyReportsAreWellFormed) {
  const json log = json::parse(checker::FormatSarif(Report{}, "1.0.0"));
  EXPECT_EQ(log.at("runs").at(0).at("results"), json::array());
  EXPECT_EQ(checker::FormatJson(Report{}), "[]\n");
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
