#pragma once

#include "shell/main_window.h"

namespace rzv {

// Auto Start gates Auto Close: ticking it makes Auto Close available (its tick unchanged);
// anything else greys Auto Close and clears it.
void onAutoStartChanged(MainWindow& window);

}  // namespace rzv
