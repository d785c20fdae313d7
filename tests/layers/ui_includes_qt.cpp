// The window talks to the control layer, never to Qt: this must not build.
#include <QWidget>

#include "ui/main_form.h"
