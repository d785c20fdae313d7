// The catalog knows nothing of Qt: this must not build.
#include <QString>

#include "catalog/game_data.h"
