#pragma once

#include "platform/window_z_order.h"

namespace rzv {

// The foreground window and HWND_TOPMOST / HWND_NOTOPMOST through SetWindowPos, which keeps
// place and size (SWP_NOSIZE | SWP_NOMOVE).
class Win32ZOrder : public WindowZOrder {
  public:
    WindowHandle foregroundWindow() override;
    WindowHandle ownerOf(WindowHandle window) override;
    // The taskbars (Shell_TrayWnd, Shell_SecondaryTrayWnd), the shell's desktop (GetShellWindow,
    // Progman, WorkerW) and tool windows (WS_EX_TOOLWINDOW: palettes, notifications).
    bool isDesktopFurniture(WindowHandle window) override;
    void leaveTopBand(WindowHandle window) override;
    void enterTopBand(WindowHandle window) override;
};

}  // namespace rzv
