#include "running_mark.h"

namespace platform {

RunningMark::RunningMark() = default;
RunningMark::~RunningMark() = default;

}  // namespace platform
