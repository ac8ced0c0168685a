#include "keeper/always_on_top.h"

namespace rzv {

void onAlwaysOnTopTimer(const MainWindow& window, WindowZOrder& zOrder) {
    if (zOrder.foregroundWindow() == window.nativeHandle()) return;
    // Asked afresh: the foreground may have changed since the first look.
    zOrder.leaveTopBand(zOrder.foregroundWindow());
    zOrder.enterTopBand(window.nativeHandle());
}

}  // namespace rzv
