#include "arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "utf8.h"

namespace platform {

Utf8Arguments::Utf8Arguments(int& argc, char**& argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return;
  for (int i = 0; i < count; ++i) {
    texts_.push_back(Utf16ToUtf8(std::u16string(wide[i], wide[i] + wcslen(wide[i]))));
  }
  LocalFree(wide);
  for (std::string& text : texts_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
  argc = count;
  argv = pointers_.data();
}

}  // namespace platform
