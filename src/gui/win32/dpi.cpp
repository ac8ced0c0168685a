#include "gui/win32/dpi.h"

#include "core/placement_pixels.h"

namespace rzv {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// A function of user32 by name, or nullptr on a system that lacks it.
template <typename Function>
Function fromUser32(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

UINT systemDpi() {
    static const UINT dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int pixelsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return pixelsPerInch > 0 ? static_cast<UINT>(pixelsPerInch) : USER_DEFAULT_SCREEN_DPI;
    }();
    return dpi;
}

UINT dpiOf(HWND window) {
    static const auto getDpiForWindow = fromUser32<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : systemDpi();
}

RECT outerOfClient(const RECT& client, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        fromUser32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT outer = client;
    const BOOL done = adjustForDpi ? adjustForDpi(&outer, style, FALSE, exStyle, dpi)
                                   : AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return done ? outer : client;
}

int pixelsOf(double twips, UINT dpi) {
    return pixelsAtDpi(twips, static_cast<int>(dpi));
}

}  // namespace rzv
