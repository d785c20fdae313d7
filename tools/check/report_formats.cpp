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
// should that ever not hold. A value written `depth` levels down in the
// document has its lines indented by as much.
std::string Dump(const json& value, int depth = 0) {
  const std::string text = value.dump(2, ' ', false, json::error_handler_t::replace);
  if (depth == 0) return text;
  // Strings hold no raw line break: JSON escapes it.
  const std::string indent(std::size_t(2 * depth), ' ');
  std::string out = indent;
  for (char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
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


std::size_t RuleIndex(std::string_view code) {
  std::size_t index = 0;
  while (kDiagnosticCodes[index].code != code) ++index;  // codes are documented
  return index;
}

class TextWriter : public ReportWriter {
 public:
  explicit TextWriter(Output output) : output_(std::move(output)) {}
  void Add(Finding&& finding) override { output_(FormatFinding(finding) + "\n"); }
  void Finish(const Summary& summary) override {
    for (const Omitted& omitted : summary.omitted) output_(FormatOmitted(omitted) + "\n");
    output_(FormatSummary(summary) + "\n");
  }

 private:
  Output output_;
};

// One array; an element is written as soon as it is known.
class JsonWriter : public ReportWriter {
 public:
  explicit JsonWriter(Output output) : output_(std::move(output)) {}
  void Add(Finding&& finding) override {
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
    Element(entry);
  }
  void Finish(const Summary& summary) override {
    for (const Omitted& omitted : summary.omitted) {
      Element({{"path", nullptr},
               {"line", nullptr},
               {"column", nullptr},
               {"severity", std::string(SeverityName(omitted.severity))},
               {"code", omitted.code},
               {"message", FormatOmitted(omitted)},
               {"omitted", omitted.count}});
    }
    output_(any_ ? "\n]\n" : "[]\n");
  }

 private:
  void Element(const json& entry) {
    output_(any_ ? ",\n" : "[\n");
    any_ = true;
    output_(Dump(entry, 1));
  }
  Output output_;
  bool any_ = false;
};

// The log up to its results is written with the first of them.
class SarifWriter : public ReportWriter {
 public:
  SarifWriter(Output output, std::string toolVersion)
      : output_(std::move(output)), toolVersion_(std::move(toolVersion)) {}
  void Add(Finding&& finding) override {
    json location = {{"physicalLocation", {{"artifactLocation", {{"uri", PathUri(finding.path)}}}}}};
    if (finding.line > 0) {
      location["physicalLocation"]["region"] = {{"startLine", finding.line},
                                                {"startColumn", finding.column}};
    }
    const json result = {{"ruleId", finding.code},
                         {"ruleIndex", RuleIndex(finding.code)},
                         {"level", std::string(SeverityName(finding.severity))},
                         {"message", {{"text", finding.message}}},
                         {"locations", json::array({location})}};
    Start();
    output_(any_ ? ",\n" : "\n");
    any_ = true;
    output_(Dump(result, 4));
  }
  void Finish(const Summary& summary) override {
    Start();
    output_(any_ ? "\n      ]" : "]");
    // Findings left out are the tool's own news about this run, each tied
    // to its rule.
    if (!summary.omitted.empty()) {
      json notifications = json::array();
      for (const Omitted& omitted : summary.omitted) {
        notifications.push_back(
            {{"level", "note"},
             {"message", {{"text", FormatOmitted(omitted)}}},
             {"associatedRule", {{"id", omitted.code}, {"index", RuleIndex(omitted.code)}}},
             {"properties", {{"omitted", omitted.count}}}});
      }
      const json invocations = json::array(
          {{{"executionSuccessful", true}, {"toolExecutionNotifications", notifications}}});
      output_(",\n      \"invocations\": " + Dump(invocations, 3).substr(6));
    }
    output_("\n    }\n  ]\n}\n");
  }

 private:
  void Start() {
    if (started_) return;
    started_ = true;
    json rules = json::array();
    for (const DiagnosticCode& code : kDiagnosticCodes) {
      rules.push_back({{"id", std::string(code.code)},
                       {"shortDescription", {{"text", std::string(code.help)}}},
                       {"defaultConfiguration", {{"level", std::string(SeverityName(code.severity))}}}});
    }
    const json tool = {
        {"driver", {{"name", "velmar-check"}, {"version", toolVersion_}, {"rules", rules}}}};
    output_("{\n  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n      \"tool\": " +
            Dump(tool, 3).substr(6) + ",\n      \"columnKind\": \"unicodeCodePoints\",\n" +
            "      \"results\": [");
  }
  Output output_;
  std::string toolVersion_;
  bool started_ = false;
  bool any_ = false;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, ReportWriter::Output output,
                                               const std::string& toolVersion) {
  switch (format) {
    case ReportFormat::Json:
      return std::make_unique<JsonWriter>(std::move(output));
    case ReportFormat::Sarif:
      return std::make_unique<SarifWriter>(std::move(output), toolVersion);
    case ReportFormat::Text:
      break;
  }
  return std::make_unique<TextWriter>(std::move(output));
}

std::string FormatReport(ReportFormat format, const Report& report,
                         const std::string& toolVersion) {
  std::string text;
  const auto writer =
      MakeReportWriter(format, [&text](std::string_view part) { text += part; }, toolVersion);
  for (Finding finding : report.findings) writer->Add(std::move(finding));
  writer->Finish(report);
  return text;
}

}  // namespace checker
