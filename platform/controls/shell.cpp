#include "platform/controls/shell.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QUrl>

#include "platform/controls/qt_convert.h"
#endif

namespace fmx {

namespace {

TShellHandler& Handler() {
  static TShellHandler handler;
  return handler;
}

}  // namespace

void ShellOpen(const std::u16string& address) {
  if (TShellHandler handler = Handler()) {
    handler(address);
    return;
  }
#ifdef _WIN32
  const std::wstring wide(address.begin(), address.end());
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
#else
  QDesktopServices::openUrl(QUrl(ToQString(address), QUrl::TolerantMode));
#endif
}

TShellHandler SetShellHandler(TShellHandler handler) {
  TShellHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

}  // namespace fmx
