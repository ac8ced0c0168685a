#pragma once

#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

// The one write of a logging run: stamps date and time, composes the nine-line record, keeps it
// in the report box and replaces the log file with it (in the user's own folder where the start
// folder refuses it), then arms the auto-close delay. A record that no folder takes ends the
// run in Idle with the failure on the status line, so it is seen; a run that nobody watches
// (--log-and-close) closes all the same and the program ends with status 1.
void onLogTimer(MainWindow& window, Platform& platform);

// The record: nine lines joined by CR LF, the last without one.
std::string composeRecord(const MainWindow& window);

}  // namespace rzv
