#include "platform/controls/application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

#include "platform/controls/form.h"
#include "platform/controls/qt_convert.h"

namespace fmx {

TApplication Application;

struct TApplication::Toolkit {
  Toolkit(int& argc, char** argv) : app(argc, argv) {}
  QApplication app;
};

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize(int& argc, char** argv) {
  toolkit_ = std::make_unique<Toolkit>(argc, argv);
  // The program's icon, when the executable carries one.
  if (QFile::exists(QStringLiteral(":/velmar/icon.png"))) {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmar/icon.png")));
  }
}

int TApplication::Run() {
  std::vector<TForm*> forms;
  for (auto& create : creators_) {
    TForm* form = create();
    form->DoCreate();
    forms.push_back(form);
  }
  int code = 0;
  if (!forms.empty()) {
    forms.front()->Show();
    code = QApplication::exec();
  }
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    (*it)->DoDestroy();
    delete *it;
  }
  for (auto& forget : forgetters_) forget();
  toolkit_.reset();
  return code;
}

void TApplication::Shutdown() { toolkit_.reset(); }

std::u16string TApplication::Title() const {
  return FromQString(QCoreApplication::applicationName());
}

}  // namespace fmx
