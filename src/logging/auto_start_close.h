// Auto Start and Auto Close, and the two ten-second timers that pace every logging run.
#pragma once

#include "core/main_window.h"

namespace rzv {

// Auto Start gates Auto Close: ticking it makes Auto Close available (its tick unchanged);
// anything else greys Auto Close and clears it.
void onAutoStartChanged(MainWindow& window);

// A click of the user's on Auto Start or Auto Close takes an unattended run over.
void onOptionClicked(MainWindow& window, Tickbox tickbox);

// Ten seconds after a start: the log writer gets its one second.
void onAutostartTimer(MainWindow& window);

// Ten seconds after the write: close the program if Auto Close is ticked now, else rest in Idle
// with the uptime still live.
void onAutocloseTimer(MainWindow& window);

}  // namespace rzv
