// velmar-snapshot: builds the real window offscreen against a data folder
// and a settings folder and writes a PNG of its client area.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "platform/arguments.h"
#include "platform/controls/application.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "ui/main_form.h"

namespace {

std::u16string Text(const char* utf8) { return platform::Utf8ToUtf16(utf8); }

// "Tab", "Shift+Tab", "Ctrl+F", "Down", ...: a key with its modifiers; false
// for a name it does not know.
bool ParseKey(const std::string& name, fmx::TKey& key, unsigned& shift) {
  static const struct {
    const char* name;
    fmx::TKey key;
  } kNames[] = {{"Tab", fmx::vkTab},     {"Enter", fmx::vkReturn},  {"Escape", fmx::vkEscape},
                {"Space", fmx::vkSpace}, {"PageUp", fmx::vkPrior},  {"PageDown", fmx::vkNext},
                {"Home", fmx::vkHome},   {"End", fmx::vkEnd},       {"Up", fmx::vkUp},
                {"Down", fmx::vkDown},   {"Left", fmx::vkLeft},     {"Right", fmx::vkRight},
                {"F3", fmx::vkF3}};
  std::stringstream parts(name);
  std::string part;
  key = 0;
  shift = 0;
  while (std::getline(parts, part, '+')) {
    if (part == "Shift") shift |= fmx::ssShift;
    else if (part == "Ctrl") shift |= fmx::ssCtrl;
    else if (part == "Alt") shift |= fmx::ssAlt;
    else if (part.size() == 1 && part[0] >= 'A' && part[0] <= 'Z') key = fmx::TKey(part[0]);
    else {
      for (const auto& known : kNames) {
        if (part == known.name) key = known.key;
      }
      if (key == 0) return false;
    }
  }
  return key != 0;
}

int Usage() {
  std::fputs(
      "usage: velmar-snapshot --data FOLDER --settings FOLDER --out FILE.png\n"
      "                       [--scale RATIO] [--hover X,Y] [--click X,Y] [--type TEXT]\n"
      "                       [--key KEY]   (KEY: Tab, Shift+Tab, Down, PageDown, Ctrl+F, ...)\n"
      "Builds the window on the data folder (games.json, assets/) with favourites in the\n"
      "settings folder, applies the pointer and keyboard actions in order, and writes the\n"
      "client area as PNG. Run with QT_QPA_PLATFORM=offscreen to need no display.\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const platform::Utf8Arguments utf8(argc, argv);
  std::u16string data, settings, out;
  double scale = 1.0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--data") data = Text(argv[++i]);
    else if (arg == "--settings") settings = Text(argv[++i]);
    else if (arg == "--out") out = Text(argv[++i]);
    else if (arg == "--scale") scale = std::atof(argv[++i]);
    else if (arg == "--hover" || arg == "--click" || arg == "--type" || arg == "--key") ++i;  // applied below
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
      fmx::TKey key = 0;
      unsigned shift = 0;
      if (arg == "--key" && !ParseKey(argv[i + 1], key, shift)) {
        code = Usage();
        break;
      }
      if (arg == "--hover") form->PointerMove(x, y);
      else if (arg == "--click") form->ClickAt(x, y);
      else if (arg == "--type") form->TypeText(Text(argv[i + 1]));
      else if (arg == "--key") form->PressKey(key, shift);
    }
    if (code == 0 && !form->Snapshot(scale).SavePng(out)) {
      std::fputs("velmar-snapshot: cannot write the picture\n", stderr);
      code = 1;
    }
  }
  fmx::Application.Shutdown();
  return code;
}
