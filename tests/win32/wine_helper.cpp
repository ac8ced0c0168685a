// Helpers for the end-to-end checks under Wine: "ticks" prints Wine's own GetTickCount64;
// "rival" shows an always-on-top window that takes the foreground, as another program's would.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

LRESULT CALLBACK rivalProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, w, l);
}

int rival() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = rivalProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"RZV_RIVAL";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"RZV_RIVAL", L"RIVAL", WS_OVERLAPPEDWINDOW, 40,
                                  40, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], L"ticks") == 0) {
        std::printf("%llu\n", static_cast<unsigned long long>(GetTickCount64()));
        return 0;
    }
    if (argc > 1 && std::wcscmp(argv[1], L"rival") == 0) return rival();
    std::fprintf(stderr, "usage: wine_helper ticks|rival\n");
    return 2;
}
