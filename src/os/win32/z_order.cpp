#include "os/win32/z_order.h"

#include <windows.h>

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
