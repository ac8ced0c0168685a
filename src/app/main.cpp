// Wires the real platform to the main window and runs the event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#ifdef Q_OS_WIN
#include "platform/win32/tick_count.h"
#include "platform/win32/z_order_win32.h"
using PlatformTickSource = rzv::TickCount;
#else
#include <QtGui/qguiapplication_platform.h>

#include "platform/linux/boot_clock.h"
#include "platform/qt/termination_signals.h"
#include "platform/x11/ewmh_z_order.h"
using PlatformTickSource = rzv::BootClock;
#endif
#include "platform/qt/about_dialog.h"
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

// The platform's way to keep a window above the others, or nothing where it has none (an X11
// desktop without an EWMH window manager, Wayland, offscreen).
std::unique_ptr<rzv::WindowZOrder> windowZOrder() {
#ifdef Q_OS_WIN
    return std::make_unique<rzv::Win32ZOrder>();
#else
#if QT_CONFIG(xcb)
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
        if (auto ewmh = rzv::EwmhZOrder::create(x11->connection())) return ewmh;
#endif
    return nullptr;
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
    std::unique_ptr<rzv::WindowZOrder> zOrder = windowZOrder();
    const bool keeperCanWork = zOrder != nullptr;
    if (!keeperCanWork) zOrder = std::make_unique<rzv::NoWindowZOrder>();
    rzv::QtAboutHost about;
    rzv::Platform platform{ticks, environment, settings, executable, regional,
                           files, timers,      *zOrder,  about,      diagnostics};

    rzv::MainWindow model(timers);
    rzv::MainWindowReactions reactions(model, platform);
    rzv::MainWindowView view(model, {[&](rzv::Button b) { reactions.click(b); },
                                     [&] {
                                         reactions.unload();
                                         timers.stopAll();  // they end with the window
                                     }});

    about.setOwner(&view);
    reactions.load();
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    // Without a keeper the window system's own stays-on-top hint does what it can, set once
    // before the window exists: changing it later would re-create the window.
    if (!keeperCanWork && model.value(rzv::Tickbox::AlwaysOnTop_TICKBOX) == rzv::kTicked)
        view.setWindowFlag(Qt::WindowStaysOnTopHint);
    model.setNativeHandle(static_cast<rzv::WindowHandle>(view.winId()));
    view.show();
    QElapsedTimer running;
    running.start();
    // A session that ends takes the window down without a close: save all the same.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &view, [&] { view.close(); });
#ifndef Q_OS_WIN
    rzv::TerminationSignals terminationSignals([&] { model.requestClose(); });
#endif
    const int status = app.exec();
    // For measurements: how often the breakdown timer really fired.
    if (qEnvironmentVariableIsSet("RZV_TIMER_STATS"))
        std::fprintf(stderr, "UPTIME_TIMER: %.0f ticks per second over %.1f s\n",
                     timers.firesOf(rzv::indexOf(rzv::Timer::UPTIME_TIMER)) * 1000.0 /
                         std::max<qint64>(1, running.elapsed()),
                     running.elapsed() / 1000.0);
    return diagnostics.exitCode() != 0 ? diagnostics.exitCode() : status;
}
