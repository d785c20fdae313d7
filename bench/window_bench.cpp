// The real window, offscreen, on generated catalogs: a rebuild of the list,
// one frame's paint, one search keystroke and one star click.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "catalog/game_data.h"
#include "catalog_generator.h"
#include "platform/controls/application.h"
#include "platform/files.h"
#include "ui/main_form.h"

namespace fs = std::filesystem;

// The window's private steps, for measuring them one by one.
class MainFormTestAccess {
 public:
  explicit MainFormTestAccess(TfrmMain& form) : f(form) {}
  void Rebuild() {
    f.PopulateGamesList();
    f.SelectGame(0);
  }
  void ClearRows() {
    f.FGamePanels.clear();
    f.sbGames->ClearContent();
  }
  fmx::TEdit& Search() { return *f.edtSearch; }

 private:
  TfrmMain& f;
};

namespace {

// A window on a data folder holding a generated catalog of n games.
class Window {
 public:
  explicit Window(int games) {
    root_ = fs::temp_directory_path() / ("velmar-window-bench-" + std::to_string(games));
    fs::create_directories(root_ / "settings");
    std::ofstream(root_ / "games.json", std::ios::binary) << GenerateCatalog(games);
    fs::remove(root_ / "settings" / "Velmar" / "favorites.json");
    platform::OverrideExecutableFolder(root_.u16string());
    platform::OverrideSettingsBaseFolder((root_ / "settings").u16string());
    GameData::ClearLists();
    form_ = std::make_unique<TfrmMain>();
    form_->DoCreate();
  }
  ~Window() {
    form_.reset();
    GameData::ClearLists();
    platform::OverrideExecutableFolder(std::nullopt);
    platform::OverrideSettingsBaseFolder(std::nullopt);
  }
  TfrmMain& form() { return *form_; }
  MainFormTestAccess access() { return MainFormTestAccess(*form_); }

 private:
  fs::path root_;
  std::unique_ptr<TfrmMain> form_;
};

void BM_RebuildList(benchmark::State& state) {
  Window window(int(state.range(0)));
  auto access = window.access();
  for (auto _ : state) access.Rebuild();
  // Memory of the rows: heap and control pool with all rows, less both
  // without them.
  const auto used = [] { return mallinfo2().uordblks + fmx::TControl::PooledBytesInUse(); };
  access.ClearRows();
  const std::size_t without = used();
  access.Rebuild();
  const std::size_t with = used();
  state.counters["bytes_per_row"] = double(with - without) / double(state.range(0));
}
BENCHMARK(BM_RebuildList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PaintFrame(benchmark::State& state) {
  Window window(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(window.form().Snapshot());
}
BENCHMARK(BM_PaintFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One keystroke: the text changes, the list is filtered and rebuilt, the
// selected game found again, and the window painted. Typing a letter and
// deleting it alternate, so every iteration is one keystroke.
void BM_SearchKeystroke(benchmark::State& state) {
  Window window(int(state.range(0)));
  auto access = window.access();
  bool typed = false;
  for (auto _ : state) {
    if (typed) access.Search().PressBackspace();
    else access.Search().TypeText(u"а");
    typed = !typed;
    benchmark::DoNotOptimize(window.form().Snapshot());
  }
}
BENCHMARK(BM_SearchKeystroke)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One star click on the second row, favourites file written included.
void BM_StarClick(benchmark::State& state) {
  Window window(int(state.range(0)));
  const float starX = 702 + 189 + 18, starY = 20 + 99 + 58 + 25;
  for (auto _ : state) window.form().ClickAt(starX, starY);
}
BENCHMARK(BM_StarClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fmx::Application.Initialize(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fmx::Application.Shutdown();
  return 0;
}
