#include "gui/win32/top_level_window.h"

#include "gui/win32/program_icon.h"

namespace rzv {
namespace {

constexpr UINT_PTR kSystemLoopTimer = 1;

}  // namespace

void registerTopLevelClass(const wchar_t* name, UINT extraStyle, WNDPROC procedure) {
    WNDCLASSEXW cls{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &cls)) return;
    cls = {};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS | extraStyle;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
    cls.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
    cls.lpszClassName = name;
    cls.lpfnWndProc = procedure;
    RegisterClassExW(&cls);
}

void takeSuggestedRectangle(HWND window, LPARAM suggested) {
    const RECT* r = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool keepTimersThroughSystemLoops(HWND window, UINT message, WPARAM w, Win32Waker& timers) {
    switch (message) {
        case WM_ENTERIDLE:
            // A menu or dialog of ours waits for input in the system's loop.
            timers.enteredModalLoop();
            return true;
        case WM_ENTERSIZEMOVE:
        case WM_ENTERMENULOOP:
            SetTimer(window, kSystemLoopTimer, USER_TIMER_MINIMUM, nullptr);
            return true;
        case WM_EXITSIZEMOVE:
        case WM_EXITMENULOOP:
            KillTimer(window, kSystemLoopTimer);
            return true;
        case WM_TIMER:
            if (w != kSystemLoopTimer) return false;
            timers.serviceFromForeignLoop();
            return true;
        default:
            return false;
    }
}

bool moveFocusOnRequest(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_NEXTDLGCTL) return false;
    // A control that wants the focus moved (a multi-line box on Tab or Enter): to the control
    // named, or to the next or previous Tab stop.
    const HWND next = LOWORD(l) ? reinterpret_cast<HWND>(w)
                                : GetNextDlgTabItem(window, GetFocus(), w != 0 ? TRUE : FALSE);
    if (next && IsChild(window, next)) SetFocus(next);
    return true;
}

}  // namespace rzv
