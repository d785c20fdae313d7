// The checker quotes the window's texts through the texts library, and
// includes nothing of the window: this must not build.
#include "ui/main_form.h"
