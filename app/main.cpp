// Velmar: a catalog of games. The program entry.
#include "platform/controls/application.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  fmx::Application.Initialize(argc, argv);
  fmx::Application.CreateForm(frmMain);
  return fmx::Application.Run();
}
