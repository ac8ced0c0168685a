// The program on Windows: wires the Win32 system parts and the native front end to the logic
// and runs the message loop.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/main_window.h"
#include "core/product.h"
#include "core/settings.h"
#include "gui/win32/about_dialog.h"
#include "gui/win32/main_window_view.h"
#include "gui/win32/message_loop.h"
#include "gui/win32/waker.h"
#include "os/win32/diagnostics.h"
#include "os/win32/dll_search.h"
#include "os/win32/environment.h"
#include "os/win32/executable_name.h"
#include "os/win32/regional_formats.h"
#include "os/win32/registry_settings_store.h"
#include "os/win32/wide_text.h"
#include "platform/os_parts.h"
#include "timing/timer_schedule.h"
#include "wiring/reactions.h"
#include "wiring/system_log_diagnostics.h"

namespace {

// The arguments after the program's own path, in UTF-8, split as the C runtime splits them.
std::vector<std::string> commandLineArguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(rzv::narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

// Where nobody could press a box's OK (session 0), the answer goes where a task's output is
// read: stdout for an answer; stderr, the debugger output and the event log for a refusal.
int answerWithoutABox(const rzv::CommandLineAnswer& answer, const std::string& name) {
    if (answer.kind == rzv::CommandLineAnswer::Kind::Answer)
        return std::fputs(answer.text.c_str(), stdout) >= 0 ? 0 : 1;
    // The refusal's first line, without the program's name that the warning adds.
    std::string line = answer.text.substr(0, answer.text.find('\n'));
    line.erase(0, std::min(line.size(), name.size() + 2));
    rzv::Win32Diagnostics(name).warn(line);
    rzv::os::makeSystemLog(name)->warning(line);
    return answer.exitStatus;
}

// --help and --version answer in a message box before any window of ours exists; a program
// without a console has nowhere else to say it. Returns the exit status, or -1 to go on and
// open the window as `answer` says.
int answerCommandLine(rzv::CommandLineAnswer& answer) {
    std::string name = rzv::Win32ExecutableName().executableName();
    if (name.empty()) name = rzv::kProductName;
    const std::string settingsPlace = std::string("HKEY_CURRENT_USER\\Software\\") +
                                      rzv::kSettingsApplication + "\\" + name + " in the registry";
    answer = rzv::readCommandLine(commandLineArguments(),
                                  {name, settingsPlace, false, "your Documents folder",
                                   std::string("%LOCALAPPDATA%\\") + rzv::kProductName});
    using Kind = rzv::CommandLineAnswer::Kind;
    if (answer.kind == Kind::OpenWindow) return -1;
    if (!rzv::desktopIsVisible()) return answerWithoutABox(answer, name);
    const UINT icon = answer.kind == Kind::Answer ? MB_ICONINFORMATION : MB_ICONERROR;
    const bool shown = MessageBoxW(nullptr, rzv::widen(rzv::asParagraphs(answer.text)).c_str(),
                                   rzv::widen(rzv::kProductName).c_str(), MB_OK | icon) != 0;
    return shown || answer.exitStatus != 0 ? answer.exitStatus : 1;  // no box could be shown
}

// Every part, in the order each needs the ones before it.
struct Program {
    explicit Program(const rzv::CommandLineAnswer& commandLine) {
        model.setLogAndCloseStart(commandLine.logAndClose);
        about.setOwner(view.handle());
    }

    const std::unique_ptr<rzv::TickSource> ticks = rzv::os::makeTickSource();
    const std::unique_ptr<rzv::BootClocks> bootClocks = rzv::os::makeBootClocks();
    rzv::Win32Environment environment;
    rzv::Win32Diagnostics diagnostics{rzv::kProductName};
    rzv::Win32ExecutableName executable;
    // Every record and warning also goes to the event log, where the installer registered the
    // program's name as an event source; without that registration nothing goes there.
    const std::unique_ptr<rzv::SystemLog> systemLog =
        rzv::os::makeSystemLog(executable.executableName());
    rzv::SystemLogDiagnostics reported{diagnostics, *systemLog};
    rzv::RegistrySettingsStore settings{reported};
    rzv::Win32RegionalFormats regional;
    const std::unique_ptr<rzv::FileOutput> files = rzv::os::makeFileOutput();
    const std::unique_ptr<rzv::LogFolders> logFolders = rzv::os::makeLogFolders();
    rzv::Win32Waker waker;
    rzv::TimerSchedule timers{&rzv::Win32Waker::nowMicros, waker};
    const std::unique_ptr<rzv::WindowZOrder> zOrder = rzv::os::makeWindowZOrder();
    rzv::Win32AboutHost about{waker};
    rzv::Platform platform{*ticks, *bootClocks, environment, settings, executable, regional,
                           *files, *logFolders, timers,      *zOrder,  reported,   *systemLog};
    rzv::MainWindow model{timers};
    rzv::MainWindowReactions reactions{model, platform, about};
    rzv::Win32MainWindowView view{
        model,
        waker,
        {[this](rzv::Button b) { reactions.click(b); }, [this] { reactions.unload(); },
         [this] { about.closeOpenWindow(); }, [this] { return reactions.uptimeDetails(); }}};
};

// Loads the window, shows it and runs the message loop: the program's exit status.
int run(Program& p, int show) {
    p.reactions.load();
    if (p.diagnostics.exitCode() != 0) return p.diagnostics.exitCode();
    p.model.setNativeHandle(reinterpret_cast<rzv::WindowHandle>(p.view.handle()));
    p.view.show(show);
    const int status = rzv::runMessageLoop(p.waker, p.view.handle());
    if (p.diagnostics.exitCode() != 0) return p.diagnostics.exitCode();
    return status != 0 ? status : p.model.exitStatus();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // Before the first DLL loaded on demand (the command line's shell32 calls, the controls'
    // themes): only the system's own folder is searched.
    rzv::restrictDllSearch();
    rzv::CommandLineAnswer commandLine;
    if (const int status = answerCommandLine(commandLine); status >= 0) return status;
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    Program program(commandLine);
    return run(program, show);
}
