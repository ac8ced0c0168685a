#pragma once

#include "core/main_window.h"

namespace rzv {

// START begins a logging run (live uptime, ten seconds to the log writer); any other caption
// aborts whatever is going on. The button's caption is the only record of the run's state.
// Either way the user has taken the run over: it is no longer unattended.
void onStartStopClick(MainWindow& window);

// The switches a start and a stop share, whether by click or at start-up, each in its fixed
// order; the caller sets the status line before or after them.
void armRun(MainWindow& window);
void stopUptime(MainWindow& window);
void lockAutoClose(MainWindow& window);
// After a stop, a failed write or a start-up that rests ready: no step of a run is pending.
void endRunTimers(MainWindow& window);

}  // namespace rzv
