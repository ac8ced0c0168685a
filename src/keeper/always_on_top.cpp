#include "keeper/always_on_top.h"

namespace rzv {

void onAlwaysOnTopTimer(const MainWindow& window, WindowZOrder& zOrder) {
    const WindowHandle foreground = zOrder.foregroundWindow();
    if (foreground == window.nativeHandle()) return;
    // Our own About or message box stands above the main window already. Taking the band from
    // it would hand the activation (and the keyboard) to the main window, which it disables.
    if (foreground != 0 && zOrder.ownerOf(foreground) == window.nativeHandle()) return;
    // Asked afresh: the foreground may have changed since the first look.
    const WindowHandle again = zOrder.foregroundWindow();
    if (!zOrder.isDesktopFurniture(again)) zOrder.leaveTopBand(again);
    zOrder.enterTopBand(window.nativeHandle());
}

}  // namespace rzv
