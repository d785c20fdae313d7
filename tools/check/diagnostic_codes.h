#pragma once

#include <string_view>

namespace checker {

enum class Severity {
  Error,    // the program shows its demo catalog instead of games.json
  Warning,  // the program runs, but not as the author probably meant
  Note,     // works as meant; said so the author is not surprised
};

// Every code the checker can emit, with its severity and a one-line help.
// The checker takes a finding's severity from here, and --help and the
// SARIF rules list this table, so no code goes undocumented.
struct DiagnosticCode {
  std::string_view code;
  Severity severity;
  std::string_view help;
};

inline constexpr DiagnosticCode kDiagnosticCodes[] = {
    {"io", Severity::Error, "games.json missing, a folder, not a regular file, or unreadable"},
    {"utf8", Severity::Error, "the file is not UTF-8"},
    {"json-syntax", Severity::Error, "the file is not valid JSON"},
    {"not-array", Severity::Error, "the top level is not an array [ ... ]"},
    {"element-not-object", Severity::Error, "an element of the array is not an object { ... }"},
    {"wrong-type", Severity::Warning, "a member of a kind that falls back to its default"},
    {"unknown-key", Severity::Warning, "a member name Velmar does not read"},
    {"duplicate-key", Severity::Warning, "a later member with the same name; the first is used"},
    {"duplicate-id", Severity::Warning, "a game with an id an earlier game has"},
    {"id-not-positive", Severity::Warning, "an id of 0 or less: the game cannot be a favourite"},
    {"missing-file", Severity::Warning,
     "a poster, QR image or button icon that is missing or not a regular file"},
    {"undecodable-image", Severity::Warning,
     "a picture that cannot be shown (Velmar reads BMP, JPEG, PNG, GIF, TIFF, ICO, HD Photo)"},
    {"misnamed-image", Severity::Warning,
     "a picture whose content is of another format than its extension says"},
    {"name-case", Severity::Warning,
     "a picture name that matches its file only ignoring letter case"},
    {"path-outside-data", Severity::Warning,
     "a picture name that leads outside its assets folder; it is not shown"},
    {"address-not-opened", Severity::Warning,
     "a \"url\" or \"apkUrl\" the Play or APK button will not open"},
    {"poster-stretched", Severity::Note,
     "a poster whose shape differs from the 672 x 400 poster area; it is stretched to fill it"},
    {"qr-enlarged", Severity::Note,
     "a QR image smaller than its 84 x 84 square; it is enlarged with sharp edges"},
};

// The entry of a code; a code missing from the table is a programming error
// and throws std::logic_error.
const DiagnosticCode& FindDiagnosticCode(std::string_view code);

std::string_view SeverityName(Severity severity);  // "error", "warning", "note"

}  // namespace checker
