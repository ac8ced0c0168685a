#pragma once

#include "shell/main_window.h"

namespace rzv {

// START begins a logging run (live uptime, ten seconds to the log writer); any other caption
// aborts whatever is going on. The button's caption is the only record of the run's state.
void onStartStopClick(MainWindow& window);

}  // namespace rzv
