#pragma once

#include "core/main_window.h"
#include "platform/window_z_order.h"

namespace rzv {

// Once a second, while Always On Top was ticked at start-up: when another program's window has
// the foreground, it leaves the always-on-top band and the main window enters it. A window the
// main window owns is left alone, and so is the band of the desktop's own windows (the taskbar,
// a dock, a menu): the option holds the main window above other programs' windows, it does not
// rearrange the desktop. No retries.
void onAlwaysOnTopTimer(const MainWindow& window, WindowZOrder& zOrder);

}  // namespace rzv
