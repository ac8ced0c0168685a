#include "os/win32/diagnostics.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "os/win32/wide_text.h"

namespace rzv {

void Win32Diagnostics::warn(std::string_view line) {
    std::fprintf(stderr, "%s: %.*s\n", program_.c_str(), static_cast<int>(line.size()),
                 line.data());
    std::fflush(stderr);
    // A program without a console has no stderr for most users: the debugger output is where
    // Windows tools (a debugger, DebugView) show a program's warnings.
    OutputDebugStringW(widen(program_ + ": " + std::string(line) + "\n").c_str());
}

void Win32Diagnostics::fatal(std::string_view message) {
    exitCode_ = 1;
    warn(message);
    if (desktopIsVisible())
        MessageBoxW(GetActiveWindow(), widen(message).c_str(), widen(program_).c_str(),
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    PostQuitMessage(exitCode_);
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
