// Wires the real platform to the main window and runs the event loop.
#include <QApplication>
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
    rzv::QtTimerService timers;
    rzv::QtDiagnostics diagnostics;
    rzv::Platform platform{ticks, environment, settings, executable, regional, timers, diagnostics};

    rzv::MainWindow model(timers);
    rzv::MainWindowReactions reactions(model, platform);
    rzv::MainWindowView view(
        model, {[&](rzv::Button b) { reactions.click(b); }, [&] { reactions.unload(); }});

    reactions.load();
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    view.show();
    // A session that ends takes the window down without a close: save all the same.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &view, [&] { view.close(); });
    const int status = app.exec();
    return diagnostics.exitCode() != 0 ? diagnostics.exitCode() : status;
}
