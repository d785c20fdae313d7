#include "platform/controls/shell.h"

#include "platform/controls/shell_system.h"

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
  system::OpenAddress(address);
}

TShellHandler SetShellHandler(TShellHandler handler) {
  TShellHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

}  // namespace fmx
