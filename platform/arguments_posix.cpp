#include "arguments.h"

namespace platform {

Utf8Arguments::Utf8Arguments(int&, char**&) {}

}  // namespace platform
