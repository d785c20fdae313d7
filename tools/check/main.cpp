// velmar-check: tells a catalog author what Velmar would make of a data
// folder: why it would show its demo catalog instead of games.json, and
// what in games.json and the pictures it would ignore or not show.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/game_data.h"
#include "platform/arguments.h"
#include "platform/controls/picture_check.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "tools/check/catalog_checker.h"
#include "tools/check/report_formats.h"
#include "texts/build_settings.h"

namespace {

constexpr const char* kUsage =
    "usage: velmar-check [--format=text|json|sarif] [--max-findings=N] [FOLDER]\n";

constexpr const char* kHelp =
    "Checks FOLDER/games.json and the pictures it names under FOLDER/assets/ the way\n"
    "Velmar reads them. FOLDER may also be given as the path of its games.json. Without\n"
    "FOLDER, checks the data folder Velmar itself would use: the folder of this program if\n"
    "it holds games.json, else two folders up, else one.\n"
    "\n"
    "Each finding is one line, as compilers write them:\n"
    "  PATH:LINE:COLUMN: error: MESSAGE [code]\n"
    "LINE and COLUMN point into games.json (columns count characters). Findings with no\n"
    "place in games.json (games.json missing or unreadable, a button icon) give PATH only.\n"
    "A summary line follows: N games, E errors, W warnings.\n"
    "\n"
    "  --format=json   the findings as a JSON array of {path, line, column, severity,\n"
    "                  code, message}, for editors and CI\n"
    "  --format=sarif  the findings as a SARIF 2.1.0 log, for code-scanning tools\n"
    "  --max-findings=N  at most N findings of each code (default 100); the rest are\n"
    "                  counted in one line \"... and M more [code]\" and in the summary.\n"
    "                  0 shows them all\n"
    "\n";

constexpr const char* kExitStatus =
    "\n"
    "Exit status: 0 without errors (warnings and notes allowed), 1 with errors, 2 wrong usage.\n"
    "velmar-check only reads; it changes nothing.\n";

void PrintCodes() {
  using checker::Severity;
  const struct {
    Severity severity;
    const char* heading;
  } groups[] = {
      {Severity::Error, "Errors - Velmar shows its 8-game demo catalog instead of games.json:"},
      {Severity::Warning, "Warnings - Velmar runs, but not as the file seems to mean:"},
      {Severity::Note, "Notes - works as meant, said so nothing surprises you:"}};
  for (const auto& group : groups) {
    std::printf("%s\n", group.heading);
    for (const checker::DiagnosticCode& code : checker::kDiagnosticCodes) {
      if (code.severity != group.severity) continue;
      std::printf("  %-19s %.*s\n", std::string(code.code).c_str(), int(code.help.size()),
                  code.help.data());
    }
  }
}

int WrongUsage(const std::string& why) {
  std::fprintf(stderr, "velmar-check: %s\n%sTry 'velmar-check --help'.\n", why.c_str(), kUsage);
  return 2;
}

constexpr std::size_t kDefaultMaxFindings = 100;

// A whole number of at most 18 digits, nothing else.
std::optional<std::size_t> Count(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::size_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + std::size_t(c - '0');
  }
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const platform::Utf8Arguments utf8(argc, argv);
  std::optional<std::u16string> folder;
  checker::ReportFormat format = checker::ReportFormat::Text;
  std::size_t maxFindings = kDefaultMaxFindings;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && (arg == "--help" || arg == "-h")) {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      PrintCodes();
      std::fputs(kExitStatus, stdout);
      return 0;
    } else if (!optionsEnd && arg.starts_with("--format=")) {
      const std::string_view name = arg.substr(9);
      if (name == "text") format = checker::ReportFormat::Text;
      else if (name == "json") format = checker::ReportFormat::Json;
      else if (name == "sarif") format = checker::ReportFormat::Sarif;
      else return WrongUsage("unknown format '" + std::string(name) + "'");
    } else if (!optionsEnd && arg.starts_with("--max-findings=")) {
      const auto count = Count(arg.substr(15));
      if (!count) return WrongUsage("--max-findings takes a whole number, 0 for all");
      maxFindings = *count;
    } else if (!optionsEnd && arg.size() > 1 && arg.front() == '-') {
      return WrongUsage("unknown option '" + std::string(arg) + "'");
    } else if (folder) {
      return WrongUsage("more than one folder given");
    } else if (arg.empty()) {
      return WrongUsage("the folder name is empty");
    } else if (platform::FindInvalidUtf8(arg) != platform::kValidUtf8) {
      return WrongUsage("the folder name is not UTF-8");
    } else {
      folder = platform::Utf8ToUtf16(arg);
    }
  }
  // The path of a catalog file stands for its folder.
  if (folder && platform::KindOf(*folder) == platform::FileKind::Regular) {
    const std::size_t slash = folder->find_last_of(u"/\\");
    const std::u16string name = slash == std::u16string::npos ? *folder : folder->substr(slash + 1);
    if (name != GameData::kCatalogFileName) {
      return WrongUsage("'" + platform::Utf16ToUtf8(*folder) +
                        "' is a file; give the data folder or its games.json");
    }
    *folder = slash == std::u16string::npos ? std::u16string() : folder->substr(0, slash + 1);
  }

  fmx::PictureDecoders decoders(argc, argv);
  const auto writer = checker::MakeReportWriter(
      format, [](std::string_view part) { std::fwrite(part.data(), 1, part.size(), stdout); },
      VELMAR_VERSION);
  const checker::Summary report = checker::CheckCatalogFolder(
      folder ? *folder : GameData::GetAppDir(), *writer, maxFindings);
  writer->Finish(report);
  return report.Count(checker::Severity::Error) > 0 ? 1 : 0;
}
