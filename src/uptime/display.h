// The last stage of the uptime pipeline (breakdown.h): the four whole figures joined into the
// display's text, "3d, 4h, 5m, 6s".
#pragma once

#include "core/main_window.h"

namespace rzv {

void onDisplayUpdateTimer(MainWindow& window);

}  // namespace rzv
