#include "app/qt_program.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_name.h"
#include "core/main_window.h"
#include "core/product.h"
#include "core/settings.h"
#include "gui/qt/about_dialog.h"
#include "gui/qt/main_window_view.h"
#include "gui/qt/program_icon.h"
#include "os/qt/diagnostics.h"
#include "os/qt/environment.h"
#include "os/qt/executable_name.h"
#include "os/qt/regional_formats.h"
#include "os/qt/settings_folder.h"
#include "os/qt/termination_watcher.h"
#include "os/qt/waker.h"
#include "platform/os_parts.h"
#include "settings_file/ini_settings_store.h"
#include "timing/timer_schedule.h"
#include "wiring/reactions.h"
#include "wiring/system_log_diagnostics.h"
#include "wiring/window_system.h"

namespace rzv {
namespace {

// Where the settings file lies on this desktop.
std::string settingsPlace(const std::string& section) {
    const std::string file = std::string(kSettingsApplication) + ".conf";
    return "$XDG_CONFIG_HOME/" + file + " (normally ~/.config/" + file + "), section [" + section +
           "]";
}

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Through Xwayland where the Wayland desktop has it: there the window keeps its place and the
// keeper works. Decided before Qt picks its platform, the way a user would choose it.
void preferX11OnWayland(const std::string& platformArgument) {
    const WindowSystemFacts facts{environmentText("QT_QPA_PLATFORM"), platformArgument,
                                  environmentText("WAYLAND_DISPLAY"),
                                  environmentText("XDG_SESSION_TYPE"), environmentText("DISPLAY")};
    if (runThroughX11(facts, os::xServerAnswers)) qputenv("QT_QPA_PLATFORM", "xcb");
}

// The keeper works on windows native to an X11 desktop; elsewhere (Wayland, offscreen) it has
// nothing to act on.
std::unique_ptr<WindowZOrder> windowZOrder() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return os::makeWindowZOrder();
    return std::make_unique<NoWindowZOrder>();
}

// --help and --version answer without a window, so they work without a display too. Returns
// the exit status, or -1 to go on and open the window as `answer` says.
int answerCommandLine(int argc, char* argv[], CommandLineAnswer& answer) {
    const std::string name = programNameFrom(argc > 0 ? argv[0] : "");
    const std::string product = kProductName;
    answer = readCommandLine(
        std::vector<std::string>(argv + std::min(argc, 1), argv + argc),
        {name, settingsPlace(name), true,
         "the folder XDG_DOCUMENTS_DIR names in ~/.config/user-dirs.dirs (or the home folder)",
         "$XDG_STATE_HOME/" + product + " (normally ~/.local/state/" + product + ")"});
    using Kind = CommandLineAnswer::Kind;
    if (answer.kind == Kind::OpenWindow) return -1;
    std::FILE* out = answer.kind == Kind::Answer ? stdout : stderr;
    const bool written = std::fputs(answer.text.c_str(), out) >= 0 && std::fflush(out) == 0;
    return written || answer.exitStatus != 0 ? answer.exitStatus : 1;  // a full disk, a closed pipe
}

int prepareTheDisplay(const CommandLineAnswer& commandLine, const char* programPath) {
    // Without a display Qt would abort with a plugin error; say it plainly instead.
    if (environmentText("QT_QPA_PLATFORM").empty() && environmentText("DISPLAY").empty() &&
        environmentText("WAYLAND_DISPLAY").empty() && commandLine.platform.empty() &&
        commandLine.display.empty()) {
        std::fprintf(stderr,
                     "%s: no graphical display found (DISPLAY is not set); "
                     "to run it without one: xvfb-run -a %s\n",
                     kProductName, programPath);
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
    return -1;
}

}  // namespace

// Every part, in the order each needs the ones before it.
struct QtProgram::Parts {
    explicit Parts(const CommandLineAnswer& commandLine, TerminationRequests& terminations)
        : waker(*ticks, *alarm),
          timers([this] { return static_cast<std::int64_t>(ticks->microsecondsSinceBoot()); },
                 waker),
          model(timers),
          view(model, {[this](Button b) { reactions.click(b); }, [this] { reactions.unload(); },
                       [this] { return reactions.uptimeDetails(); }}),
          watcher(terminations, [this] { onTermination(); }) {
        model.setLogAndCloseStart(commandLine.logAndClose);
        about.setOwner(&view);
    }
    void onTermination() {
        // With the fault's message open the program is ending already: end it now, as faulted.
        if (diagnostics.exitCode() != 0) return QCoreApplication::exit(diagnostics.exitCode());
        if (windowShown) return model.requestClose();
        closeRequested = true;
    }

    const std::unique_ptr<TickSource> ticks = os::makeTickSource();
    const std::unique_ptr<BootClocks> bootClocks = os::makeBootClocks();
    QtEnvironment environment;
    QtExecutableName executable;
    QtDiagnostics diagnostics{kProductName};
    // Every record and warning also goes to the system's log, where the program's name labels it.
    const std::unique_ptr<SystemLog> systemLog = os::makeSystemLog(executable.executableName());
    SystemLogDiagnostics reported{diagnostics, *systemLog};
    const std::unique_ptr<FileInput> settingsInput = os::makeFileInput();
    const std::unique_ptr<FileLocks> settingsLocks = os::makeFileLocks(executable.executableName());
    const std::unique_ptr<FileOutput> settingsOutput = os::makeLockedFileOutput();
    IniSettingsStore settings{userSettingsFolder(), *settingsInput, *settingsLocks, *settingsOutput,
                              reported};
    QtRegionalFormats regional;
    const std::unique_ptr<FileOutput> files = os::makeFileOutput();
    const std::unique_ptr<LogFolders> logFolders = os::makeLogFolders();
    const std::unique_ptr<WakeAlarm> alarm = os::makeWakeAlarm();
    QtWaker waker;
    TimerSchedule timers;
    const std::unique_ptr<WindowZOrder> zOrder = windowZOrder();
    QtAboutHost about;
    Platform platform{*ticks, *bootClocks, environment, settings, executable, regional,
                      *files, *logFolders, timers,      *zOrder,  reported,   *systemLog};
    MainWindow model;
    MainWindowReactions reactions{model, platform, about};
    MainWindowView view;
    bool windowShown = false, closeRequested = false;
    const TerminationWatcher watcher;
};

QtProgram::QtProgram(const CommandLineAnswer& commandLine, TerminationRequests& terminations)
    : parts_(std::make_unique<Parts>(commandLine, terminations)) {}

QtProgram::~QtProgram() = default;

MainWindowView& QtProgram::view() {
    return parts_->view;
}

TickSource& QtProgram::ticks() {
    return *parts_->ticks;
}

int QtProgram::load() {
    Parts& p = *parts_;
    p.reactions.load();
    if (p.diagnostics.exitCode() != 0) return p.diagnostics.exitCode();
    // Without a keeper the window system's own stays-on-top hint does what it can, set once
    // before the window exists: changing it later would re-create the window. Wayland ignores
    // it; the user hears why the option does nothing.
    if (!p.zOrder->canKeepOnTop() &&
        p.model.value(Tickbox::AlwaysOnTop_TICKBOX) == TickState::Ticked) {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            p.reported.warn(
                "Always On Top cannot work on Wayland, which lets no program keep its window "
                "above the others; through an X server (Xwayland, DISPLAY) it works");
        p.view.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    return -1;
}

void QtProgram::show() {
    Parts& p = *parts_;
    p.model.setNativeHandle(static_cast<WindowHandle>(p.view.winId()));
    p.view.show();
    p.windowShown = true;
    // A request that came during start-up closes the window as soon as the loop runs.
    if (p.closeRequested)
        QMetaObject::invokeMethod(
            &p.view, [&p] { p.model.requestClose(); }, Qt::QueuedConnection);
    // A session that ends takes the window down without a close: save all the same.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &p.view, [&p] { p.view.close(); });
}

int QtProgram::run() {
    if (const int status = load(); status >= 0) return status;
    show();
    const int status = QApplication::exec();
    if (parts_->diagnostics.exitCode() != 0) return parts_->diagnostics.exitCode();
    return status != 0 ? status : parts_->model.exitStatus();
}

int runQtProgram(int argc, char* argv[], const std::function<int(QtProgram&)>& run) {
    CommandLineAnswer commandLine;
    if (const int status = answerCommandLine(argc, argv, commandLine); status >= 0) return status;
    // First of all, so that a request during start-up waits for the window instead of killing
    // the program unsaved.
    const auto terminations = os::makeTerminationRequests();
    if (const int status = prepareTheDisplay(commandLine, argv[0]); status >= 0) return status;
    QApplication app(argc, argv);
    nameTheDesktopEntry();
    QtProgram program(commandLine, *terminations);
    return run(program);
}

int runQtProgram(int argc, char* argv[]) {
    return runQtProgram(argc, argv, [](QtProgram& program) { return program.run(); });
}

}  // namespace rzv
