// velmar-check: tells a catalog author what Velmar would make of a data
// folder: why it would show its demo catalog instead of games.json, and
// what in games.json and the pictures it would ignore or not show.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/game_data.h"
#include "platform/controls/picture_check.h"
#include "platform/utf8.h"
#include "tools/check/catalog_checker.h"

namespace {

constexpr const char* kUsage = "usage: velmar-check [FOLDER]\n";

constexpr const char* kHelp =
    "Checks FOLDER/games.json and the pictures it names under FOLDER/assets/ the way\n"
    "Velmar reads them. Without FOLDER, checks the data folder Velmar itself would use:\n"
    "the folder of this program if it holds games.json, else two folders up, else one.\n"
    "\n"
    "Each finding is one line, as compilers write them:\n"
    "  PATH:LINE:COLUMN: error: MESSAGE [code]\n"
    "  PATH:LINE:COLUMN: warning: MESSAGE [code]\n"
    "LINE and COLUMN point into games.json (columns count characters). Findings with no\n"
    "place in games.json (games.json missing or unreadable, a button icon) give PATH only.\n"
    "A summary line follows: N games, E errors, W warnings.\n"
    "\n"
    "Errors - Velmar shows its 8-game demo catalog instead of games.json:\n"
    "  io                  games.json missing, a folder, or unreadable\n"
    "  utf8                the file is not UTF-8\n"
    "  json-syntax         the file is not valid JSON\n"
    "  not-array           the top level is not an array [ ... ]\n"
    "  element-not-object  an element of the array is not an object { ... }\n"
    "Warnings - Velmar runs, but not as the file seems to mean:\n"
    "  wrong-type          a member of a kind that falls back to its default\n"
    "  unknown-key         a member Velmar ignores: unknown name, or a later duplicate\n"
    "  duplicate-id        a game with an id an earlier game has\n"
    "  id-not-positive     an id of 0 or less: the game cannot be made a favourite\n"
    "  missing-file        a poster, QR image or button icon that is not there\n"
    "  undecodable-image   a picture that cannot be shown; Velmar reads .bmp .jpg .jpeg\n"
    "                      .png .gif .tif .tiff .ico (and .hdp where a decoder exists)\n"
    "  address-not-opened  a \"url\" or \"apkUrl\" the Play or APK button will not open:\n"
    "                      not http or https, empty, or (for \"url\" only) missing\n"
    "\n"
    "Exit status: 0 without errors (warnings allowed), 1 with errors, 2 wrong usage.\n"
    "velmar-check only reads; it changes nothing.\n";

int WrongUsage(const std::string& why) {
  std::fprintf(stderr, "velmar-check: %s\n%sTry 'velmar-check --help'.\n", why.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::u16string> folder;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && (arg == "--help" || arg == "-h")) {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return 0;
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

  fmx::PictureDecoders decoders(argc, argv);
  const checker::Report report =
      checker::CheckCatalogFolder(folder ? *folder : GameData::GetAppDir());
  for (const checker::Finding& finding : report.findings) {
    std::puts(checker::FormatFinding(finding).c_str());
  }
  std::puts(checker::FormatSummary(report).c_str());
  return report.Count(checker::Severity::Error) > 0 ? 1 : 0;
}
