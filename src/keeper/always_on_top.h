#pragma once

#include "core/main_window.h"
#include "platform/window_z_order.h"

namespace rzv {

// Once a second, while Always On Top was ticked at start-up: when another program's window has
// the foreground, it leaves the always-on-top band and the main window enters it. A window the
// main window owns is left alone. No retries.
void onAlwaysOnTopTimer(const MainWindow& window, WindowZOrder& zOrder);

}  // namespace rzv
