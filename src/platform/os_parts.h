// The operating system's parts. Each factory is provided by the folders under os/ that the build
// chooses for this system (on Linux os/linux, os/posix, os/x11 and os/qt; on Windows os/win32),
// or by os/absent where the system has no such part; callers never choose by #ifdef.
#pragma once

#include <memory>
#include <string>

#include "platform/boot_clocks.h"
#include "platform/file_input.h"
#include "platform/file_lock.h"
#include "platform/file_output.h"
#include "platform/log_folders.h"
#include "platform/system_log.h"
#include "platform/termination_requests.h"
#include "platform/tick_source.h"
#include "platform/wake_alarm.h"
#include "platform/window_z_order.h"

namespace rzv::os {

// Milliseconds since boot, counting suspend.
std::unique_ptr<TickSource> makeTickSource();

// The clocks beside it: time awake, the wall clock, and whether Shut down keeps the count.
std::unique_ptr<BootClocks> makeBootClocks();

// An alarm on the same clock for an event loop to watch; one without a descriptor where the
// system has none.
std::unique_ptr<WakeAlarm> makeWakeAlarm();

// The desktop's foreground window and always-on-top band, for windows native to the desktop;
// a keeper that does nothing (canKeepOnTop() false) where the window system offers no way.
std::unique_ptr<WindowZOrder> makeWindowZOrder();

// Whether an X server answers at DISPLAY: an X11 desktop, or Xwayland beside a Wayland one.
// False where the system has none.
bool xServerAnswers();

// Whole-file output that keeps the old content whole when a write fails.
std::unique_ptr<FileOutput> makeFileOutput();

// The user's own folders that take the log where the start folder does not.
std::unique_ptr<LogFolders> makeLogFolders();

// The system's own log, the entries under `programName`; one that does nothing where the
// system keeps none the program may write to.
std::unique_ptr<SystemLog> makeSystemLog(const std::string& programName);

// The same for a file whose writers hold its lock (makeFileLocks()) while they replace it.
std::unique_ptr<FileOutput> makeLockedFileOutput();

// Whole-file input.
std::unique_ptr<FileInput> makeFileInput();

// Lock files beside the files they lock, naming `programName` as their holder.
std::unique_ptr<FileLocks> makeFileLocks(const std::string& programName);

// Termination requests, recorded from the moment this returns.
std::unique_ptr<TerminationRequests> makeTerminationRequests();

}  // namespace rzv::os
