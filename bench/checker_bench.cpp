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

// n games each naming its own poster: the files there under the names
// written (kind 0), there under names that differ in letter case (1), or
// missing (2). The time per game stays the same from 2,500 to 25,000.
void BM_CheckPictureNames(benchmark::State& state) {
  const int games = int(state.range(0));
  const int kind = int(state.range(1));
  const fs::path folder = fs::temp_directory_path() / ("velmar-bench-names-" + std::to_string(games) +
                                                       "-" + std::to_string(kind));
  fs::remove_all(folder);
  fs::create_directories(folder / "assets" / "post");
  // The smallest PNG: one grey pixel.
  const std::string png(
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01"
      "\x00\x00\x00\x01\x08\x00\x00\x00\x00\x3a\x7e\x9b\x55\x00\x00\x00\x0a\x49\x44\x41"
      "\x54\x78\x9c\x63\x68\x00\x00\x00\x82\x00\x81\x77\xcd\x72\xb6\x00\x00\x00\x00\x49"
      "\x45\x4e\x44\xae\x42\x60\x82",
      67);
  std::string text = "[";
  for (int i = 0; i < games; ++i) {
    const std::string file = "poster-" + std::to_string(i) + ".png";
    if (kind != 2) std::ofstream(folder / "assets" / "post" / file, std::ios::binary) << png;
    const std::string named = kind == 1 ? "POSTER-" + std::to_string(i) + ".PNG" : file;
    text += std::string(i ? ",\n" : "") + "{\"id\":" + std::to_string(i + 1) +
            ",\"url\":\"https://v/\",\"post\":\"" + named + "\"}";
  }
  std::ofstream(folder / "games.json", std::ios::binary) << text << "]";
  const std::u16string path = folder.u16string() + u"/";
  std::size_t findings = 0;
  for (auto _ : state) findings = checker::CheckCatalogFolder(path).findings.size();
  state.counters["findings"] = double(findings);
  state.SetItemsProcessed(std::int64_t(state.iterations()) * games);
  fs::remove_all(folder);
}
BENCHMARK(BM_CheckPictureNames)
    ->ArgsProduct({{2500, 25000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
