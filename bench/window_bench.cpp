// The real window, offscreen, on generated catalogs: a rebuild of the list,
// one frame's paint, one search keystroke and one star click; a keystroke and
// a row click again with every game showing a 3840x2160 JPEG poster.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "catalog/game_data.h"
#include "catalog_generator.h"
#include "platform/controls/application.h"
#include "platform/controls/picture_cache.h"
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

constexpr char kPosterName[] = "poster-4k.jpg";

// Marketing art as it comes: 3840x2160, a JPEG of about 2.8 MB. A soft
// gradient with grain, so the encoder cannot make it trivially small.
void WritePoster(const fs::path& file) {
  if (fs::exists(file)) return;
  QImage image(3840, 2160, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grain = int(random() % 25) - 12;
      const auto channel = [&](int base) { return std::clamp(base + grain, 0, 255); };
      line[x] = qRgb(channel(x * 255 / 3840), channel(y * 255 / 2160), channel(128 + ((x ^ y) & 63)));
    }
  }
  fs::create_directories(file.parent_path());
  image.save(QString::fromStdString(file.string()), "JPEG", 90);
}

// A window on a data folder holding a generated catalog of n games; with a
// poster, every game shows the same 4K JPEG.
class Window {
 public:
  explicit Window(int games, bool poster = false) {
    root_ = fs::temp_directory_path() /
            ("velmar-window-bench-" + std::to_string(games) + (poster ? "-poster" : ""));
    fs::create_directories(root_ / "settings");
    if (poster) WritePoster(root_ / "assets" / "post" / kPosterName);
    std::ofstream(root_ / "games.json", std::ios::binary)
        << GenerateCatalog(games, poster ? kPosterName : "");
    Open();
  }
  // A window on a catalog given as its text.
  Window(const std::string& name, const std::string& catalog) {
    root_ = fs::temp_directory_path() / ("velmar-window-bench-" + name);
    fs::create_directories(root_ / "settings");
    std::ofstream(root_ / "games.json", std::ios::binary) << catalog;
    Open();
  }
  void Open() {
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
void TypeAndDeleteByTurns(benchmark::State& state, Window& window) {
  auto access = window.access();
  bool typed = false;
  for (auto _ : state) {
    if (typed) access.Search().PressBackspace();
    else access.Search().TypeText(u"а");
    typed = !typed;
    benchmark::DoNotOptimize(window.form().Snapshot());
  }
}

void BM_SearchKeystroke(benchmark::State& state) {
  Window window(int(state.range(0)));
  TypeAndDeleteByTurns(state, window);
}
BENCHMARK(BM_SearchKeystroke)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same keystroke with a 3840x2160 JPEG poster on every game: the
// re-selected game shows its poster again.
void BM_SearchKeystrokePoster(benchmark::State& state) {
  Window window(int(state.range(0)), true);
  TypeAndDeleteByTurns(state, window);
  state.counters["poster_bytes"] =
      double(fs::file_size(fs::temp_directory_path() /
                           ("velmar-window-bench-" + std::to_string(state.range(0)) + "-poster") /
                           "assets" / "post" / kPosterName));
}
BENCHMARK(BM_SearchKeystrokePoster)->Arg(10000)->Unit(benchmark::kMillisecond);

// A click on the first or second row, by turns, every game with the 4K
// poster. Arguments: games; first showing (1: the decoded pictures are
// forgotten before each click) or again (0); the frame painted too (1) or
// the click alone (0).
void BM_RowClickPoster(benchmark::State& state) {
  Window window(int(state.range(0)), true);
  const bool first = state.range(1) != 0;
  const bool paint = state.range(2) != 0;
  const float rowX = 702 + 100, rowY = 20 + 99 + 25;
  int row = 1;
  for (auto _ : state) {
    if (first) {
      state.PauseTiming();
      fmx::ClearPictureCache();
      state.ResumeTiming();
    }
    window.form().ClickAt(rowX, rowY + 58 * float(row));
    row = 1 - row;
    if (paint) benchmark::DoNotOptimize(window.form().Snapshot());
  }
}
BENCHMARK(BM_RowClickPoster)
    ->ArgsProduct({{10000}, {1, 0}, {0, 1}})
    ->ArgNames({"games", "first", "paint"})
    ->Unit(benchmark::kMillisecond);

// Eleven games whose name and twelve information lines are 1, 10, ...,
// 1,000,000 characters of words; the last game all a million.
std::string LongTextCatalog() {
  const std::string words = "Ледяной дракон пиксельный дрейф ";  // 32 characters
  auto text = [&words](std::size_t characters) {
    std::string out;
    for (std::size_t i = 0; i < characters / 32; ++i) out += words;
    return out + std::string(characters % 32, 'x');
  };
  const char* keys[] = {"name", "genre", "developer", "year", "text1", "text2", "text3",
                        "text4", "text5", "text6", "text7", "text8"};
  std::string catalog = "[";
  for (int game = 0; game < 11; ++game) {
    std::size_t length = 1;
    for (int i = 0; i < (game < 10 ? game % 7 : 6); ++i) length *= 10;
    const std::string value = "\"" + text(length) + "\"";
    catalog += game ? ",\n" : "\n";
    catalog += "{\"id\": " + std::to_string(game + 1) + ", \"url\": \"https://v/\", \"name\": " + value +
               ", \"info\": {";
    for (const char* key : keys) catalog += std::string(key == keys[0] ? "" : ", ") + "\"" + key + "\": " + value;
    catalog += "}}";
  }
  return catalog + "]";
}

// From nothing to the first frame on that catalog: read, list, details.
void BM_OpenLongTexts(benchmark::State& state) {
  const std::string catalog = LongTextCatalog();
  for (auto _ : state) {
    Window window("long-texts", catalog);
    benchmark::DoNotOptimize(window.form().Snapshot());
  }
}
BENCHMARK(BM_OpenLongTexts)->Unit(benchmark::kMillisecond);

// A keystroke there costs about what it costs with short names.
void BM_SearchKeystrokeLongTexts(benchmark::State& state) {
  Window window("long-texts", LongTextCatalog());
  TypeAndDeleteByTurns(state, window);
}
BENCHMARK(BM_SearchKeystrokeLongTexts)->Unit(benchmark::kMillisecond);

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
