// velmar-check on catalogs with many findings: written on one line, or one
// game a line, the time per finding stays the same.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/check/catalog_checker.h"

namespace fs = std::filesystem;

namespace {

// n games: the first half with ids 1..n/2, the second half with the same
// ids in a scattered order, so each duplicate-id finding quotes a place far
// behind the previous one.
fs::path DuplicateIdCatalog(int games, bool oneLine) {
  const fs::path folder = fs::temp_directory_path() /
                          ("velmar-bench-check-" + std::to_string(games) + (oneLine ? "-line" : "-lines"));
  fs::create_directories(folder);
  const long half = games / 2;
  std::string text = "[";
  for (long i = 0; i < 2 * half; ++i) {
    if (i > 0) text += oneLine ? "," : ",\n";
    const long id = i < half ? i + 1 : (i * 7919) % half + 1;
    text += "{\"id\":" + std::to_string(id) + ",\"url\":\"https://v/\"}";
  }
  text += "]";
  std::ofstream(folder / "games.json", std::ios::binary) << text;
  return folder;
}

void BM_CheckDuplicateIds(benchmark::State& state) {
  const int games = int(state.range(0));
  const fs::path folder = DuplicateIdCatalog(games, state.range(1) != 0);
  const std::u16string text = folder.u16string() + u"/";
  std::size_t findings = 0;
  for (auto _ : state) findings = checker::CheckCatalogFolder(text).findings.size();
  state.counters["findings"] = double(findings);
  state.SetItemsProcessed(std::int64_t(state.iterations()) * games);
  fs::remove_all(folder);
}
// Arguments: games, written on one line (1) or one game a line (0).
BENCHMARK(BM_CheckDuplicateIds)
    ->ArgsProduct({{10000, 160000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
