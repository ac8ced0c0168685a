#pragma once

#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

// The main window's load: restores placement and options, names the computer, times every timer,
// switches the always-on-top keeper for the whole run, then arms an automatic start or rests
// ready.
void startUp(MainWindow& window, Platform& platform);

// The main window's unload: saves its left and top edges and the three options. It never cancels
// the close.
void shutDown(MainWindow& window, Platform& platform);

}  // namespace rzv
