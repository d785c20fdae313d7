#include "platform/controls/shell_system.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/controls/qt_convert.h"

namespace fmx::system {

// The desktop's handler (xdg-open on Linux).
void OpenAddress(const std::u16string& address) {
  QDesktopServices::openUrl(QUrl(ToQString(address), QUrl::TolerantMode));
}

}  // namespace fmx::system
