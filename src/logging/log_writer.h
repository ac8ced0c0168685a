#pragma once

#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

// The one write of a logging run: stamps date and time, composes the nine-line record, keeps it
// in the report box and replaces the log file with it, then arms the auto-close delay. A file
// that cannot be written ends the run in Idle with the failure on the status line, so an
// unattended run never closes as if all went well.
void onLogTimer(MainWindow& window, Platform& platform);

// The record: nine lines joined by CR LF, the last without one.
std::string composeRecord(const MainWindow& window);

}  // namespace rzv
