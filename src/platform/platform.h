// Everything the program's logic needs from the world, handed to it in one bundle.
#pragma once

#include "platform/boot_clocks.h"
#include "platform/diagnostics.h"
#include "platform/environment.h"
#include "platform/executable_name.h"
#include "platform/file_output.h"
#include "platform/log_folders.h"
#include "platform/regional_formats.h"
#include "platform/settings_store.h"
#include "platform/system_log.h"
#include "platform/tick_source.h"
#include "platform/timer_service.h"
#include "platform/window_z_order.h"

namespace rzv {

struct Platform {
    TickSource& ticks;
    BootClocks& bootClocks;
    Environment& environment;
    SettingsStore& settings;
    ExecutableName& executable;
    RegionalFormats& regional;
    FileOutput& files;
    LogFolders& logFolders;
    TimerService& timers;
    WindowZOrder& zOrder;
    Diagnostics& diagnostics;
    SystemLog& systemLog;
};

}  // namespace rzv
