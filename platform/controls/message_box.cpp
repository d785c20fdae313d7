#include "platform/controls/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/controls/qt_convert.h"

namespace fmx {

namespace {

TMessageHandler& Handler() {
  static TMessageHandler handler;
  return handler;
}

}  // namespace

void ShowMessage(const std::u16string& text) {
  if (TMessageHandler handler = Handler()) {
    handler(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), ToQString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

TMessageHandler SetMessageHandler(TMessageHandler handler) {
  TMessageHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

}  // namespace fmx
