#include "os/win32/diagnostics.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "os/win32/wide_text.h"

namespace rzv {
namespace {
constexpr const char* kProgram = "RI-ZUZERU-VAVUZA";
}

void Win32Diagnostics::warn(std::string_view line) {
    std::fprintf(stderr, "%s: %.*s\n", kProgram, static_cast<int>(line.size()), line.data());
    std::fflush(stderr);
    // A program without a console has no stderr for most users: the debugger output is where
    // Windows tools (a debugger, DebugView) show a program's warnings.
    OutputDebugStringW(widen(std::string(kProgram) + ": " + std::string(line) + "\n").c_str());
}

void Win32Diagnostics::fatal(std::string_view message) {
    exitCode_ = 1;
    warn(message);
    MessageBoxW(GetActiveWindow(), widen(message).c_str(), widen(kProgram).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    PostQuitMessage(exitCode_);
}

}  // namespace rzv
