// The program on Qt: wires the operating system's parts and the Qt front end to the logic and
// runs the event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/product.h"
#include "core/settings.h"
#include "gui/qt/about_dialog.h"
#include "gui/qt/main_window_view.h"
#include "gui/qt/paint_probe.h"
#include "gui/qt/program_icon.h"
#include "gui/qt/qt_diagnostics.h"
#include "gui/qt/qt_environment.h"
#include "gui/qt/qt_executable_name.h"
#include "gui/qt/qt_regional_formats.h"
#include "gui/qt/qt_timer_service.h"
#include "gui/qt/settings_folder.h"
#include "gui/qt/termination_watcher.h"
#include "platform/os_parts.h"
#include "store/ini_settings_store.h"
#include "wiring/command_line.h"
#include "wiring/reactions.h"
#include "wiring/system_log_diagnostics.h"
#include "wiring/window_system.h"

namespace {

// Without a display Qt would abort with a plugin error; say it plainly instead.
bool displayAvailable(const rzv::CommandLineAnswer& commandLine) {
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY") || !commandLine.platform.empty() ||
           !commandLine.display.empty();
}

// The keeper works on windows native to an X11 desktop; elsewhere (Wayland, offscreen) it has
// nothing to act on.
std::unique_ptr<rzv::WindowZOrder> windowZOrder() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return rzv::os::makeWindowZOrder();
    return std::make_unique<rzv::NoWindowZOrder>();
}

// Where the settings file lies on this desktop.
std::string settingsPlace(const std::string& section) {
    const std::string file = std::string(rzv::kSettingsApplication) + ".conf";
    return "$XDG_CONFIG_HOME/" + file + " (normally ~/.config/" + file + "), section [" + section +
           "]";
}

// --help and --version answer without a window, so they work without a display too. Returns
// the exit status, or -1 to go on and open the window as `answer` says.
int answerCommandLine(int argc, char* argv[], rzv::CommandLineAnswer& answer) {
    const std::string name = rzv::programNameFrom(argc > 0 ? argv[0] : "");
    const std::string product = rzv::kProductName;
    answer = rzv::readCommandLine(
        std::vector<std::string>(argv + std::min(argc, 1), argv + argc),
        {name, settingsPlace(name), true,
         "the folder XDG_DOCUMENTS_DIR names in ~/.config/user-dirs.dirs (or the home folder)",
         "$XDG_STATE_HOME/" + product + " (normally ~/.local/state/" + product + ")"});
    using Kind = rzv::CommandLineAnswer::Kind;
    if (answer.kind == Kind::OpenWindow) return -1;
    std::FILE* out = answer.kind == Kind::Answer ? stdout : stderr;
    const bool written = std::fputs(answer.text.c_str(), out) >= 0 && std::fflush(out) == 0;
    return written || answer.exitStatus != 0 ? answer.exitStatus : 1;  // a full disk, a closed pipe
}

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Through Xwayland where the Wayland desktop has it: there the window keeps its place and the
// keeper works. Decided before Qt picks its platform, the way a user would choose it.
void preferX11OnWayland(const std::string& platformArgument) {
    const rzv::WindowSystemFacts facts{
        environmentText("QT_QPA_PLATFORM"), platformArgument, environmentText("WAYLAND_DISPLAY"),
        environmentText("XDG_SESSION_TYPE"), environmentText("DISPLAY")};
    if (rzv::runThroughX11(facts, rzv::os::xServerAnswers)) qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int main(int argc, char* argv[]) {
    rzv::CommandLineAnswer commandLine;
    if (const int status = answerCommandLine(argc, argv, commandLine); status >= 0) return status;
    // First of all, so that a request during start-up waits for the window instead of killing
    // the program unsaved.
    const auto terminations = rzv::os::makeTerminationRequests();
    if (!displayAvailable(commandLine)) {
        std::fprintf(stderr,
                     "%s: no graphical display found (DISPLAY is not set); "
                     "to run it without one: xvfb-run -a %s\n",
                     rzv::kProductName, argv[0]);
        return 2;
    }
    // Each repaint would otherwise cost wake-ups of its own besides the timer's: Qt's
    // shared-memory images wait for the X server before a spot is painted again (a round trip),
    // and Qt holds a requested repaint back 5 ms on a timer of its own. The uptime timers pace the
    // repaints already; the window is small, its pixels go over the connection instead. A user's
    // own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    preferX11OnWayland(commandLine.platform);
    QApplication app(argc, argv);
    rzv::nameTheDesktopEntry();

    const auto ticks = rzv::os::makeTickSource();
    const auto bootClocks = rzv::os::makeBootClocks();
    rzv::QtEnvironment environment;
    rzv::QtExecutableName executable;
    rzv::QtDiagnostics diagnostics;
    // Every record and warning also goes to the system's log, where the program's name labels it.
    const auto systemLog = rzv::os::makeSystemLog(executable.executableName());
    rzv::SystemLogDiagnostics reported(diagnostics, *systemLog);
    const auto settingsInput = rzv::os::makeFileInput();
    const auto settingsLocks = rzv::os::makeFileLocks(executable.executableName());
    const auto settingsOutput = rzv::os::makeLockedFileOutput();
    rzv::IniSettingsStore settings(rzv::userSettingsFolder(), *settingsInput, *settingsLocks,
                                   *settingsOutput, reported);
    rzv::QtRegionalFormats regional;
    const auto files = rzv::os::makeFileOutput();
    const auto logFolders = rzv::os::makeLogFolders();
    const auto alarm = rzv::os::makeWakeAlarm();
    rzv::QtTimerService timers(*ticks, *alarm);
    const auto zOrder = windowZOrder();
    rzv::QtAboutHost about;
    rzv::Platform platform{*ticks, *bootClocks, environment, settings, executable, regional,
                           *files, *logFolders, timers,      *zOrder,  reported,   *systemLog};

    rzv::MainWindow model(timers);
    model.setLogAndCloseStart(commandLine.logAndClose);
    rzv::MainWindowReactions reactions(model, platform, about);
    rzv::MainWindowView view(
        model, {[&](rzv::Button b) { reactions.click(b); }, [&] { reactions.unload(); },
                [&] { return reactions.uptimeDetails(); }});
    about.setOwner(&view);

    bool windowShown = false, closeRequested = false;
    const rzv::TerminationWatcher watcher(*terminations, [&] {
        // With the fault's message open the program is ending already: end it now, as faulted.
        if (diagnostics.exitCode() != 0) return QCoreApplication::exit(diagnostics.exitCode());
        if (windowShown) return model.requestClose();
        closeRequested = true;
    });

    reactions.load();
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    // Without a keeper the window system's own stays-on-top hint does what it can, set once
    // before the window exists: changing it later would re-create the window. Wayland ignores
    // it; the user hears why the option does nothing.
    if (!zOrder->canKeepOnTop() &&
        model.value(rzv::Tickbox::AlwaysOnTop_TICKBOX) == rzv::TickState::Ticked) {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            reported.warn(
                "Always On Top cannot work on Wayland, which lets no program keep its window "
                "above the others; through an X server (Xwayland, DISPLAY) it works");
        view.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    model.setNativeHandle(static_cast<rzv::WindowHandle>(view.winId()));
    view.show();
    windowShown = true;
    // A request that came during start-up closes the window as soon as the loop runs.
    if (closeRequested)
        QMetaObject::invokeMethod(
            &view, [&] { model.requestClose(); }, Qt::QueuedConnection);
    QElapsedTimer running;
    running.start();
    const bool measuring = qEnvironmentVariableIsSet("RZV_TIMER_STATS");
    std::optional<rzv::PaintProbe> probe;
    if (measuring)
        probe.emplace(view, *view.widgetFor(rzv::layoutOf(rzv::Field::QV_UPTIME_DISPLAY_TEXTBOX)),
                      *ticks);
    // A session that ends takes the window down without a close: save all the same.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &view, [&] { view.close(); });
    const int status = app.exec();
    // For measurements: how often the breakdown timer really fired, and what reached the screen.
    if (probe) probe->report(stderr);
    if (measuring)
        std::fprintf(stderr, "UPTIME_TIMER: %.0f ticks per second over %.1f s\n",
                     timers.firesOf(rzv::indexOf(rzv::Timer::UPTIME_TIMER)) * 1000.0 /
                         std::max<qint64>(1, running.elapsed()),
                     running.elapsed() / 1000.0);
    if (diagnostics.exitCode() != 0) return diagnostics.exitCode();
    return status != 0 ? status : model.exitStatus();
}
