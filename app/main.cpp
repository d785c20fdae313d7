// Velmar: a catalog of games. The program entry.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "app/demo_catalog_report.h"
#include "platform/arguments.h"
#include "platform/controls/application.h"
#include "platform/files.h"
#include "platform/running_mark.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  const platform::Utf8Arguments utf8(argc, argv);
  // The program's own options are read before the toolkit starts, so that
  // --help, --version and a wrong folder need no display.
  const CommandLine options = ReadCommandLine(argc, argv);
  if (options.exitCode) return *options.exitCode;
  if (options.dataFolder) platform::OverrideExecutableFolder(options.dataFolder);
  TfrmMain::OnDemoCatalog = ReportDemoCatalog;

  fmx::Application.Initialize(argc, argv);
  // What is left after the toolkit took its own options is not ours either.
  if (const auto unknown = UnknownArgument(argc, argv)) {
    std::fprintf(stderr, "velmar: unknown option '%s'; try 'velmar --help'\n", unknown->c_str());
    fmx::Application.Shutdown();
    return 2;
  }
  const platform::RunningMark running;
  fmx::Application.CreateForm(frmMain);
  return fmx::Application.Run();
}
