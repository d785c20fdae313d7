#pragma once

#include <QImage>

#include "platform/controls/snapshot.h"

namespace fmx {

struct TSnapshot::Data {
  QImage image;
};

}  // namespace fmx
