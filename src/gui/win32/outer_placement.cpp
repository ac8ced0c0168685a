#include "gui/win32/outer_placement.h"

#include <algorithm>
#include <vector>

#include "core/layout.h"
#include "core/placement_pixels.h"
#include "gui/win32/dpi.h"

namespace rzv {

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<PixelRect>*>(areas)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    return TRUE;
}

// The monitors' work areas, the taskbar left out.
std::vector<PixelRect> workAreas() {
    std::vector<PixelRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

void moveTo(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

}  // namespace

void OuterPlacement::apply(HWND window, const Placement& placement) {
    placement_ = placement;
    // Moved first: the size is for the DPI of the monitor the window lands on.
    moveTo(window, positionPixels(placement.left), positionPixels(placement.top));
    fitClient(window, dpiOf(window));
    RECT outer{};
    if (!GetWindowRect(window, &outer)) return;
    const PixelRect opens = keptOnScreen({outer.left, outer.top, outer.right, outer.bottom},
                                         pixelsOf(kCaptionBandTwips, dpiOf(window)), workAreas());
    if (opens.left == outer.left && opens.top == outer.top) return;
    moveTo(window, opens.left, opens.top);
    fitClient(window, dpiOf(window));
}

void OuterPlacement::fitClient(HWND window, UINT dpi) const {
    const int width = pixelsOf(static_cast<double>(placement_.width) - 2 * kDesignFrameSide, dpi);
    const int height =
        pixelsOf(static_cast<double>(placement_.height) - kDesignFrameTop - kDesignFrameSide, dpi);
    const RECT client{0, 0, std::max(1, width), std::max(1, height)};
    const RECT outer =
        outerOfClient(client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                      static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

namespace {

// Where the window stands, or where it is restored to when it is minimised (parked far off
// every screen) or maximised.
bool restoredRectangle(HWND window, RECT& outer) {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if ((IsIconic(window) || IsZoomed(window)) && GetWindowPlacement(window, &place)) {
        outer = place.rcNormalPosition;
        // In workspace coordinates: from the work area's corner, which a taskbar at the left or
        // top moves away from the monitor's.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
            GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
            OffsetRect(&outer, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
        return true;
    }
    return GetWindowRect(window, &outer) != 0;
}

}  // namespace

Placement OuterPlacement::current(HWND window) const {
    RECT outer;
    Placement p = placement_;
    if (!restoredRectangle(window, outer)) return p;
    p.left = edgeTwips(p.left, outer.left, kReferenceDpi);
    p.top = edgeTwips(p.top, outer.top, kReferenceDpi);
    return p;
}

}  // namespace rzv
