// The control layer's workings over Qt are its own: this must not build.
#include "platform/controls/qt_convert.h"
