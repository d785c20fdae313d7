// velmar-check on any games.json: it has an error exactly when the program
// would not use the file, and every finding in the file has a place in it.

#include <cstdint>
#include <cstdlib>

#include "catalog/game_data.h"
#include "fuzz_input.h"
#include "tools/check/catalog_checker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string path = fuzzing::Folder().Write("games.json", data, size);
  const checker::Report report = checker::CheckCatalogFolder(fuzzing::Folder().Text());
  GameData::ClearLists();
  const bool loads = GameData::LoadGames(path);
  if (loads != (report.Count(checker::Severity::Error) == 0)) std::abort();
  for (const checker::Finding& finding : report.findings) {
    if (finding.path == path && finding.code != "io" && (finding.line == 0 || finding.column == 0)) {
      std::abort();
    }
  }
  GameData::ClearLists();
  return 0;
}
