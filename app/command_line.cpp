#include "app/command_line.h"

#include <cstdio>
#include <string_view>

#include "catalog/game_data.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "texts/build_settings.h"

namespace {

constexpr const char* kHelp =
    "usage: velmar [--data FOLDER]\n"
    "Velmar: a catalog of games. Without options it shows the catalog games.json found\n"
    "beside the program, else two folders up, else one folder up.\n"
    "\n"
    "  --data FOLDER  show the catalog of FOLDER (it must hold games.json)\n"
    "  --version      print the version and end\n"
    "  --help         print this help and end\n"
    "\n"
    "To find out why a catalog is not shown, run velmar-check FOLDER.\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "velmar: %s\n", message.c_str());
  return 2;
}

// "--data FOLDER" or "--data=FOLDER": the folder, and how many arguments it
// took; nothing when `arg` is not --data.
struct DataOption {
  std::optional<std::string> folder;
  int taken = 0;
};
DataOption ReadDataOption(int argc, char** argv, int i) {
  const std::string_view arg = argv[i];
  if (arg.starts_with("--data=")) return {std::string(arg.substr(7)), 1};
  if (arg != "--data") return {};
  if (i + 1 < argc) return {std::string(argv[i + 1]), 2};
  return {std::nullopt, 1};
}

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
  CommandLine result;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      result.exitCode = 0;
      return result;
    }
    if (arg == "--version") {
      std::printf("Velmar %s (%s)\n", VELMAR_VERSION,
                  platform::Utf16ToUtf8(VELMAR_VERSION_DATE).c_str());
      result.exitCode = 0;
      return result;
    }
    const DataOption data = ReadDataOption(argc, argv, i);
    if (data.taken == 0) continue;
    i += data.taken - 1;
    if (!data.folder) {
      result.exitCode = Fail("--data needs a folder");
      return result;
    }
    if (result.dataFolder) {
      result.exitCode = Fail("--data is given more than once");
      return result;
    }
    if (data.folder->empty() || platform::FindInvalidUtf8(*data.folder) != platform::kValidUtf8) {
      result.exitCode = Fail("the folder name after --data is empty or not UTF-8");
      return result;
    }
    std::u16string folder = platform::FolderPath(platform::Utf8ToUtf16(*data.folder));
    const std::u16string catalog = folder + std::u16string(GameData::kCatalogFileName);
    if (!platform::FolderExists(folder)) {
      result.exitCode = Fail("no folder " + *data.folder);
    } else if (!platform::FileExists(catalog)) {
      result.exitCode = Fail(platform::Utf16ToUtf8(catalog) + ": no such file; the folder given "
                             "with --data must hold games.json");
    } else {
      result.dataFolder = std::move(folder);
    }
    if (result.exitCode) return result;
  }
  return result;
}

std::optional<std::string> UnknownArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const DataOption data = ReadDataOption(argc, argv, i);
    if (data.taken == 0) return std::string(argv[i]);
    i += data.taken - 1;
  }
  return std::nullopt;
}
