#include "os/win32/diagnostics.h"

#include <windows.h>

#include <string>

#include "os/win32/wide_text.h"

namespace rzv {

void Win32Diagnostics::alsoWarn(std::string_view line) {
    // A program without a console has no stderr for most users: the debugger output is where
    // Windows tools (a debugger, DebugView) show a program's warnings.
    OutputDebugStringW(widen(program() + ": " + std::string(line) + "\n").c_str());
}

void Win32Diagnostics::showFatal(std::string_view message, int exitCode) {
    if (desktopIsVisible())
        MessageBoxW(GetActiveWindow(), widen(message).c_str(), widen(program()).c_str(),
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    PostQuitMessage(exitCode);
}

bool desktopIsVisible() {
    USEROBJECTFLAGS flags{};
    const HWINSTA station = GetProcessWindowStation();
    // Where the system cannot tell, a box is shown as it always was.
    if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr))
        return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace rzv
