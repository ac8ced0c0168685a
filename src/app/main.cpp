// Wires the real platform to the main window and runs the event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include "platform/win32/tick_count.h"
using PlatformTickSource = rzv::TickCount;
#else
#include "platform/linux/boot_clock.h"
using PlatformTickSource = rzv::BootClock;
#endif
#include "platform/qt/main_window_view.h"
#include "platform/qt/qt_platform.h"
#include "shell/main_window.h"
#include "shell/reactions.h"

namespace {

// Without a display Qt would abort with a plugin error; say it plainly instead.
bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "RI-ZUZERU-VAVUZA: no graphical display found (DISPLAY is not set); "
                     "to run it without one: xvfb-run -a %s\n",
                     argv[0]);
        return 2;
    }
    QApplication app(argc, argv);

    PlatformTickSource ticks;
    rzv::QtEnvironment environment;
    rzv::QtSettingsStore settings;
    rzv::QtExecutableName executable;
    rzv::QtRegionalFormats regional;
    rzv::QtFileOutput files;
    rzv::QtTimerService timers;
    rzv::QtDiagnostics diagnostics;
    rzv::Platform platform{ticks,    environment, settings, executable,
                           regional, files,       timers,   diagnostics};

    rzv::MainWindow model(timers);
    rzv::MainWindowReactions reactions(model, platform);
    rzv::MainWindowView view(model, {[&](rzv::Button b) { reactions.click(b); },
                                     [&] {
                                         reactions.unload();
                                         timers.stopAll();  // they end with the window
                                     }});

    reactions.load();
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    view.show();
    QElapsedTimer running;
    running.start();
    // A session that ends takes the window down without a close: save all the same.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &view, [&] { view.close(); });
    const int status = app.exec();
    // For measurements: how often the breakdown timer really fired.
    if (qEnvironmentVariableIsSet("RZV_TIMER_STATS"))
        std::fprintf(stderr, "UPTIME_TIMER: %.0f ticks per second over %.1f s\n",
                     timers.firesOf(rzv::indexOf(rzv::Timer::UPTIME_TIMER)) * 1000.0 /
                         std::max<qint64>(1, running.elapsed()),
                     running.elapsed() / 1000.0);
    return diagnostics.exitCode() != 0 ? diagnostics.exitCode() : status;
}
