// velmar-snapshot: builds the real window offscreen against a data folder
// and a settings folder and writes a PNG of its client area.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/controls/application.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "ui/main_form.h"

namespace {

std::u16string Text(const char* utf8) { return platform::Utf8ToUtf16(utf8); }

int Usage() {
  std::fputs(
      "usage: velmar-snapshot --data FOLDER --settings FOLDER --out FILE.png\n"
      "                       [--scale RATIO] [--hover X,Y] [--click X,Y] [--type TEXT]\n"
      "Builds the window on the data folder (games.json, assets/) with favourites in the\n"
      "settings folder, applies the pointer and keyboard actions in order, and writes the\n"
      "client area as PNG. Run with QT_QPA_PLATFORM=offscreen to need no display.\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::u16string data, settings, out;
  double scale = 1.0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--data") data = Text(argv[++i]);
    else if (arg == "--settings") settings = Text(argv[++i]);
    else if (arg == "--out") out = Text(argv[++i]);
    else if (arg == "--scale") scale = std::atof(argv[++i]);
    else if (arg == "--hover" || arg == "--click" || arg == "--type") ++i;  // applied below
    else return Usage();
  }
  if (data.empty() || settings.empty() || out.empty() || scale <= 0) return Usage();

  platform::OverrideExecutableFolder(data);
  platform::OverrideSettingsBaseFolder(settings);
  fmx::Application.Initialize(argc, argv);
  int code = 0;
  {
    auto form = std::make_unique<TfrmMain>();
    form->DoCreate();
    for (int i = 1; i + 1 < argc; i += 2) {
      const std::string arg = argv[i];
      float x = 0, y = 0;
      if ((arg == "--hover" || arg == "--click") && std::sscanf(argv[i + 1], "%f,%f", &x, &y) != 2) {
        code = Usage();
        break;
      }
      if (arg == "--hover") form->PointerMove(x, y);
      else if (arg == "--click") form->ClickAt(x, y);
      else if (arg == "--type") form->TypeText(Text(argv[i + 1]));
    }
    if (code == 0 && !form->Snapshot(scale).SavePng(out)) {
      std::fputs("velmar-snapshot: cannot write the picture\n", stderr);
      code = 1;
    }
  }
  fmx::Application.Shutdown();
  return code;
}
