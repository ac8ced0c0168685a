#include "os/win32/z_order.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "platform/os_parts.h"

namespace rzv {
namespace {

constexpr UINT kKeepPlaceAndSize = SWP_NOSIZE | SWP_NOMOVE;  // 3
static_assert(kKeepPlaceAndSize == 3, "only the band changes");

void setBand(WindowHandle window, HWND insertAfter) {
    // The outcome is not examined: a window that refuses stays where it is until the next tick.
    SetWindowPos(reinterpret_cast<HWND>(window), insertAfter, 0, 0, 0, 0, kKeepPlaceAndSize);
}

}  // namespace

WindowHandle Win32ZOrder::foregroundWindow() {
    return reinterpret_cast<WindowHandle>(GetForegroundWindow());
}

WindowHandle Win32ZOrder::ownerOf(WindowHandle window) {
    return reinterpret_cast<WindowHandle>(GetWindow(reinterpret_cast<HWND>(window), GW_OWNER));
}

bool Win32ZOrder::isDesktopFurniture(WindowHandle window) {
    const HWND handle = reinterpret_cast<HWND>(window);
    if (!handle) return false;
    if (handle == GetShellWindow() ||
        (GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0)
        return true;
    wchar_t name[32] = {};
    if (GetClassNameW(handle, name, static_cast<int>(std::size(name))) == 0) return false;
    for (const wchar_t* shell :
         {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"Progman", L"WorkerW"})
        if (std::wcscmp(name, shell) == 0) return true;
    return false;
}

void Win32ZOrder::leaveTopBand(WindowHandle window) {
    setBand(window, HWND_NOTOPMOST);
}

void Win32ZOrder::enterTopBand(WindowHandle window) {
    setBand(window, HWND_TOPMOST);
}

std::unique_ptr<WindowZOrder> os::makeWindowZOrder() {
    return std::make_unique<Win32ZOrder>();
}

}  // namespace rzv
