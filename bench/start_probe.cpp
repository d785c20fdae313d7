// The window on a generated catalog, from the start of the process to its
// first painted frame: the time and the peak resident memory. Each run is a
// process of its own, so one size's peak does not hide in another's.
//
//   velmar_start_probe [--repetitions=R] GAMES [GAMES2]
//
// prints, per size, the median time and peak of R runs; with two sizes also
// the memory each further game costs: the difference of the peaks divided by
// the difference of the sizes (catalog record, visible copy, row controls and
// all).

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "catalog/game_data.h"
#include "catalog_generator.h"
#include "platform/controls/application.h"
#include "platform/files.h"
#include "ui/main_form.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

fs::path DataFolder(int games) {
  return fs::temp_directory_path() / ("velmar-start-probe-" + std::to_string(games));
}

// Written by the parent, so the text of the catalog is in no child's peak.
void WriteCatalog(int games) {
  const fs::path folder = DataFolder(games);
  fs::create_directories(folder / "settings");
  if (!fs::exists(folder / "games.json")) {
    std::ofstream(folder / "games.json", std::ios::binary) << GenerateCatalog(games);
  }
  fs::remove(folder / "settings" / "Velmar" / "favorites.json");
}

long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Sees the native widget's first paint event go by.
class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// One run in this process: prints "milliseconds peak-KiB".
int RunOnce(int argc, char** argv, int games) {
  const auto start = std::chrono::steady_clock::now();
  const fs::path folder = DataFolder(games);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fmx::Application.Initialize(argc, argv);
  platform::OverrideExecutableFolder(folder.u16string() + u"/");
  platform::OverrideSettingsBaseFolder((folder / "settings").u16string());
  auto form = std::make_unique<TfrmMain>();
  form->DoCreate();
  PaintWatch watch;
  form->NativeWidget()->installEventFilter(&watch);
  form->Show();
  // The paint event has run once processEvents returns after it.
  while (!watch.painted) QCoreApplication::processEvents();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.1f %ld\n", ms, PeakResidentKiB());
  std::fflush(stdout);
  // The process ends here: freeing is not part of what is measured.
  std::_Exit(0);
}

struct Run {
  double ms = 0;
  long peakKiB = 0;
};

bool RunChild(int games, Run& run) {
  const std::string count = std::to_string(games);
  char once[] = "--once";
  std::vector<char*> args = {const_cast<char*>("velmar_start_probe"), once,
                             const_cast<char*>(count.c_str()), nullptr};
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  std::string output;
  char buffer[256];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, std::size_t(n));
  close(pipeEnds[0]);
  if (failed) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
         std::sscanf(output.c_str(), "%lf %ld", &run.ms, &run.peakKiB) == 2;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--once") == 0) return RunOnce(argc, argv, std::atoi(argv[2]));
  int repetitions = 1;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--repetitions=", 14) == 0) {
      repetitions = std::max(1, std::atoi(argv[i] + 14));
    } else if (std::atoi(argv[i]) > 0) {
      sizes.push_back(std::atoi(argv[i]));
    }
  }
  if (sizes.empty() || sizes.size() > 2) {
    std::fputs("usage: velmar_start_probe [--repetitions=R] GAMES [GAMES2]\n", stderr);
    return 2;
  }
  std::vector<Run> medians;
  for (int games : sizes) {
    WriteCatalog(games);
    std::vector<double> times;
    std::vector<long> peaks;
    for (int r = 0; r < repetitions; ++r) {
      Run run;
      if (!RunChild(games, run)) {
        std::fprintf(stderr, "velmar_start_probe: the run with %d games failed\n", games);
        return 1;
      }
      times.push_back(run.ms);
      peaks.push_back(run.peakKiB);
    }
    medians.push_back({Median(times), Median(peaks)});
    std::printf("%d games: start to first frame %.0f ms, peak resident %.1f MB (median of %d)\n",
                games, medians.back().ms, double(medians.back().peakKiB) / 1024.0, repetitions);
  }
  if (sizes.size() == 2 && sizes[1] != sizes[0]) {
    const double perGame = double(medians[1].peakKiB - medians[0].peakKiB) * 1024.0 /
                           double(sizes[1] - sizes[0]);
    std::printf("memory per game: %.0f bytes\n", perGame);
  }
  return 0;
}
