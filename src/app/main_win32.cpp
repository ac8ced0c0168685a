// The program on Windows: wires the Win32 system parts and the native front end to the logic
// and runs the message loop.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "core/main_window.h"
#include "gui/win32/about_window_win32.h"
#include "gui/win32/main_window_view_win32.h"
#include "gui/win32/timer_service_win32.h"
#include "os/win32/diagnostics_win32.h"
#include "os/win32/environment_win32.h"
#include "os/win32/regional_formats_win32.h"
#include "os/win32/registry_settings_store.h"
#include "platform/os_parts.h"
#include "wiring/reactions.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);

    const auto ticks = rzv::os::makeTickSource();
    rzv::Win32Environment environment;
    rzv::Win32Diagnostics diagnostics;
    rzv::RegistrySettingsStore settings(diagnostics);
    rzv::Win32ExecutableName executable;
    rzv::Win32RegionalFormats regional;
    const auto files = rzv::os::makeFileOutput();
    rzv::Win32TimerService timers;
    const auto zOrder = rzv::os::makeWindowZOrder();
    rzv::Win32AboutHost about(timers);
    rzv::Platform platform{*ticks, environment, settings, executable, regional,
                           *files, timers,      *zOrder,  diagnostics};

    rzv::MainWindow model(timers);
    rzv::MainWindowReactions reactions(model, platform, about);
    rzv::Win32MainWindowView view(model, timers,
                                  {[&](rzv::Button b) { reactions.click(b); },
                                   [&] { reactions.unload(); }, [&] { about.closeOpenWindow(); }});
    about.setOwner(view.handle());

    reactions.load();
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    model.setNativeHandle(reinterpret_cast<rzv::WindowHandle>(view.handle()));
    view.show(show);
    const int status = rzv::runMessageLoop(timers, view.handle());
    // For measurements: how often the program woke for its timers.
    if (std::getenv("RZV_TIMER_STATS"))
        std::fprintf(stderr, "timer wake-ups: %llu, UPTIME_TIMER fired %llu times\n",
                     static_cast<unsigned long long>(timers.wakeUps()),
                     static_cast<unsigned long long>(
                         timers.firesOf(rzv::indexOf(rzv::Timer::UPTIME_TIMER))));
    return diagnostics.exitCode() != 0 ? diagnostics.exitCode() : status;
}
