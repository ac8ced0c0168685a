#pragma once

#include <cstdint>

namespace rzv {

// A native top-level window; 0 is no window.
using WindowHandle = std::uintptr_t;

// The desktop's stacking of top-level windows: which one has the foreground, and the
// always-on-top band above the others. Neither call moves or resizes a window.
class WindowZOrder {
  public:
    virtual ~WindowZOrder() = default;
    virtual WindowHandle foregroundWindow() = 0;
    // The window that `window` belongs to and always stands above (a dialog's main window),
    // or 0 for a window of its own.
    virtual WindowHandle ownerOf(WindowHandle window) = 0;
    // Whether `window` is one of the desktop's own that stand above the others by design: the
    // taskbar, the desktop, a dock or panel, a menu, a tooltip, a notification.
    virtual bool isDesktopFurniture(WindowHandle window) = 0;
    virtual void leaveTopBand(WindowHandle window) = 0;
    virtual void enterTopBand(WindowHandle window) = 0;
    // False for a stand-in that cannot change the band.
    virtual bool canKeepOnTop() const { return true; }
};

// Where the window system offers neither call: the keeper's ticks change nothing.
class NoWindowZOrder : public WindowZOrder {
  public:
    WindowHandle foregroundWindow() override { return 0; }
    WindowHandle ownerOf(WindowHandle) override { return 0; }
    bool isDesktopFurniture(WindowHandle) override { return false; }
    void leaveTopBand(WindowHandle) override {}
    void enterTopBand(WindowHandle) override {}
    bool canKeepOnTop() const override { return false; }
};

}  // namespace rzv
