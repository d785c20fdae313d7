#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/check/diagnostic_codes.h"

// The catalog checker: what the program would make of a data folder
// (games.json and the pictures under assets/), told to the catalog's author.
namespace checker {

struct Finding {
  Severity severity = Severity::Error;
  std::string code;     // stable identifier, e.g. "json-syntax"
  std::u16string path;  // the file the finding is about
  // Place in games.json, from 1; 0 when the finding has no place in it (a
  // missing games.json, the two button icons).
  std::size_t line = 0;
  std::size_t column = 0;
  std::string message;  // UTF-8, one line
};

// Findings of one code beyond the number kept of each.
struct Omitted {
  std::string code;
  Severity severity = Severity::Error;
  std::size_t count = 0;
};

// What a check found, counted: every finding, those passed on and those
// left out alike.
struct Summary {
  std::size_t games = 0;  // elements of the catalog array
  std::array<std::size_t, 3> counts{};  // by Severity
  std::vector<Omitted> omitted;         // in the order of the code table
  std::size_t Count(Severity severity) const { return counts[std::size_t(severity)]; }
};

// Where findings go as they are found, in file order.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void Add(Finding&& finding) = 0;
};

// A check with its findings kept.
struct Report : Summary {
  std::vector<Finding> findings;
};

// Checks `folder`/games.json and the pictures it names, passing each finding
// to `sink` as it is found: those about games.json in file order, then those
// about the icons. Of each code at most `maxPerCode` findings are passed on
// (0: all); the rest are only counted. Memory does not grow with the number
// of findings.
Summary CheckCatalogFolder(std::u16string_view folder, FindingSink& sink,
                           std::size_t maxPerCode = 0);

// The same, every finding kept.
Report CheckCatalogFolder(std::u16string_view folder);

// The first reason the program would not use `folder`/games.json, in the
// words CheckCatalogFolder uses; nothing when it would use it.
std::optional<Finding> FirstCatalogError(std::u16string_view folder);

// The folder joined with a name: a separator is added unless the folder ends
// with one or is empty.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// "PATH:LINE:COLUMN: error: MESSAGE [code]", or "PATH: warning: ..." when the
// finding has no place in the file. UTF-8, no line break.
std::string FormatFinding(const Finding& finding);
// "12 games, 0 errors, 1 warning".
std::string FormatSummary(const Summary& summary);
// "… and 999,900 more [duplicate-id]".
std::string FormatOmitted(const Omitted& omitted);

}  // namespace checker
