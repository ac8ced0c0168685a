// Helpers for the end-to-end checks under Wine: "ticks" prints Wine's own GetTickCount64;
// "rival" shows an always-on-top window that takes the foreground, as another program's would;
// "taskbar" the same of the class of Windows' taskbar (Shell_TrayWnd), as a click on it does;
// "message-box TITLE" waits for a message box of that title, prints its text, says whether the
// program's main window is open beside it, and presses OK; "focus" prints the text of the
// control that has the keyboard focus in the program's main window; "client-origin CLASS"
// prints where the client area of the window of that class begins on the screen, to click by
// place where the window draws its own frame; "focus-id" prints the control id of the control
// that has the focus; "display" prints the text of the main window's uptime display (asked
// for by message, so that it works while a modal loop runs there); "menu-open" says whether a
// popup menu is open; "tooltip" prints the text of the program's tooltip that shows now;
// "hold FILE SECONDS" keeps FILE open as a log
// viewer does (reading, sharing reading and writing but not deleting), says "held" and lets go
// after SECONDS.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK rivalProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, w, l);
}

int rival(const wchar_t* className, const wchar_t* title) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = rivalProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = className;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, className, title, WS_OVERLAPPEDWINDOW, 40, 40, 300,
                                  200, nullptr, nullptr, cls.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

std::string utf8Of(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK printStaticText(HWND child, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    const std::wstring text = textOf(child);
    if (_wcsicmp(cls, L"Static") == 0 && !text.empty()) std::printf("%s\n", utf8Of(text).c_str());
    return TRUE;
}

int messageBox(const wchar_t* title) {
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        box = FindWindowW(L"#32770", title);
        if (!box) Sleep(50);
    }
    if (!box) {
        std::fprintf(stderr, "no message box appeared\n");
        return 1;
    }
    if (FindWindowW(L"QV_ZIV_MAIN", nullptr)) std::printf("MAIN WINDOW OPEN\n");
    EnumChildWindows(box, printStaticText, 0);
    std::fflush(stdout);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}

int focus() {
    const HWND main = FindWindowW(L"QV_ZIV_MAIN", nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!main || !GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return 1;
    std::printf("%s\n", info.hwndFocus ? utf8Of(textOf(info.hwndFocus)).c_str() : "");
    return 0;
}

int focusId() {
    const HWND main = FindWindowW(L"QV_ZIV_MAIN", nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!main || !GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return 1;
    std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
    return 0;
}

// The uptime display is the one centred text box of the main window.
BOOL CALLBACK findDisplay(HWND child, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (_wcsicmp(cls, L"Edit") != 0 || (GetWindowLongW(child, GWL_STYLE) & ES_CENTER) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

int display() {
    const HWND main = FindWindowW(L"QV_ZIV_MAIN", nullptr);
    HWND box = nullptr;
    if (main) EnumChildWindows(main, findDisplay, reinterpret_cast<LPARAM>(&box));
    wchar_t text[128] = {};
    DWORD_PTR length = 0;
    if (!box || !SendMessageTimeoutW(box, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 2000, &length))
        return 1;
    std::printf("%s\n", utf8Of(text).c_str());
    return 0;
}

int clientOrigin(const wchar_t* cls) {
    const HWND window = FindWindowW(cls, nullptr);
    POINT origin{0, 0};
    if (!window || !ClientToScreen(window, &origin)) return 1;
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
}

// The main window's tooltip: a window of the tooltip class in its process.
BOOL CALLBACK findTooltip(HWND window, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    DWORD process = 0, mainProcess = 0;
    GetWindowThreadProcessId(window, &process);
    GetWindowThreadProcessId(FindWindowW(L"QV_ZIV_MAIN", nullptr), &mainProcess);
    if (_wcsicmp(cls, L"tooltips_class32") != 0 || process != mainProcess ||
        !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int tooltip() {
    HWND tip = nullptr;
    EnumWindows(findTooltip, reinterpret_cast<LPARAM>(&tip));
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    if (!tip || !SendMessageTimeoutW(tip, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 2000, &length))
        return 1;
    std::printf("%s\n", utf8Of(text).c_str());
    return 0;
}

int hold(const wchar_t* file, const wchar_t* seconds) {
    HANDLE held = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::wcstoul(seconds, nullptr, 10)) * 1000);
    CloseHandle(held);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], L"ticks") == 0) {
        std::printf("%llu\n", static_cast<unsigned long long>(GetTickCount64()));
        return 0;
    }
    if (argc > 1 && std::wcscmp(argv[1], L"rival") == 0) return rival(L"RZV_RIVAL", L"RIVAL");
    if (argc > 1 && std::wcscmp(argv[1], L"taskbar") == 0)
        return rival(L"Shell_TrayWnd", L"TASKBAR");
    if (argc > 2 && std::wcscmp(argv[1], L"message-box") == 0) return messageBox(argv[2]);
    if (argc > 1 && std::wcscmp(argv[1], L"focus") == 0) return focus();
    if (argc > 2 && std::wcscmp(argv[1], L"client-origin") == 0) return clientOrigin(argv[2]);
    if (argc > 1 && std::wcscmp(argv[1], L"focus-id") == 0) return focusId();
    if (argc > 1 && std::wcscmp(argv[1], L"display") == 0) return display();
    if (argc > 1 && std::wcscmp(argv[1], L"tooltip") == 0) return tooltip();
    if (argc > 1 && std::wcscmp(argv[1], L"menu-open") == 0) {
        std::printf("%s\n", FindWindowW(L"#32768", nullptr) ? "yes" : "no");
        return 0;
    }
    if (argc > 3 && std::wcscmp(argv[1], L"hold") == 0) return hold(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: wine_helper ticks|rival|taskbar|message-box TITLE|focus|focus-id|display|"
                 "menu-open|tooltip|client-origin CLASS|hold FILE SECONDS\n");
    return 2;
}
