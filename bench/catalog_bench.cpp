// Reading the catalog and filtering it, on generated catalogs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <filesystem>
#include <fstream>

#include "catalog/game_data.h"
#include "platform/json_document.h"
#include "catalog_generator.h"

namespace fs = std::filesystem;

namespace {

// games.json of n games in a temporary folder, written once per size.
const fs::path& CatalogFile(int games) {
  static std::map<int, fs::path> files;
  auto& path = files[games];
  if (path.empty()) {
    path = fs::temp_directory_path() / ("velmar-bench-" + std::to_string(games) + ".json");
    std::ofstream(path, std::ios::binary) << GenerateCatalog(games);
  }
  return path;
}

void BM_LoadGames(benchmark::State& state) {
  const fs::path& file = CatalogFile(int(state.range(0)));
  const std::u16string path = file.u16string();
  for (auto _ : state) {
    GameData::Games.clear();
    if (!GameData::LoadGames(path)) state.SkipWithError("the catalog did not load");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(file)));
  GameData::ClearLists();
}
BENCHMARK(BM_LoadGames)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The JSON reader alone, on the same files: how much of a load is parsing.
void BM_ParseCatalogJson(benchmark::State& state) {
  std::ifstream in(CatalogFile(int(state.range(0))), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) benchmark::DoNotOptimize(platform::json::Parse(bytes));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_ParseCatalogJson)->Arg(10000)->Unit(benchmark::kMillisecond);

// Arguments: games, query length (0, 1 or 3 letters), favourite IDs.
void BM_FilterGames(benchmark::State& state) {
  GameData::ClearLists();
  GameData::LoadGames(CatalogFile(int(state.range(0))).u16string());
  for (int i = 0; i < state.range(2); ++i) GameData::FavoriteIDs.push_back(1 + i * 37);
  const std::u16string queries[] = {u"", u"а", u"лаб"};
  const std::u16string& query = queries[state.range(1) == 0 ? 0 : state.range(1) == 1 ? 1 : 2];
  for (auto _ : state) {
    GameData::FilterGames(query);
    benchmark::DoNotOptimize(GameData::FilteredGames.data());
  }
  state.counters["visible"] = double(GameData::FilteredGames.size());
  state.SetComplexityN(state.range(0));
  GameData::ClearLists();
}
BENCHMARK(BM_FilterGames)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1, 3}, {0, 50}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
