#pragma once

#include <xcb/xcb.h>

#include <memory>
#include <optional>

#include "platform/window_z_order.h"

namespace rzv {

// The band on an EWMH window manager: the foreground window is the root's _NET_ACTIVE_WINDOW,
// and _NET_WM_STATE client messages add or remove _NET_WM_STATE_ABOVE.
//
// The foreground is read once and kept until the window manager changes it. Asking the server
// every second would cost a round trip and the wake-ups that go with it; instead this connection
// hears of the root's property changes, and nothing reads them until the keeper's next tick
// drains them without waiting.
class EwmhZOrder : public WindowZOrder {
  public:
    // A keeper on a connection of its own to the display named by DISPLAY, when the window
    // manager supports both; else none.
    static std::unique_ptr<EwmhZOrder> create();
    ~EwmhZOrder() override { xcb_disconnect(connection_); }
    EwmhZOrder(const EwmhZOrder&) = delete;
    EwmhZOrder& operator=(const EwmhZOrder&) = delete;

    WindowHandle foregroundWindow() override;
    // WM_TRANSIENT_FOR, read once for each new foreground window.
    WindowHandle ownerOf(WindowHandle window) override;
    void leaveTopBand(WindowHandle window) override { requestAbove(window, false); }
    void enterTopBand(WindowHandle window) override { requestAbove(window, true); }

  private:
    struct Atoms {
        xcb_atom_t supported, activeWindow, wmState, wmStateAbove;
    };
    EwmhZOrder(xcb_connection_t* connection, xcb_window_t root, Atoms atoms)
        : connection_(connection), root_(root), atoms_(atoms) {}
    void requestAbove(WindowHandle window, bool above);
    WindowHandle readForeground();
    bool foregroundChanged();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    Atoms atoms_;
    // Set from the first question on, when the root's property changes are being heard of.
    std::optional<WindowHandle> foreground_;
    struct Ownership {
        WindowHandle window, owner;
    };
    std::optional<Ownership> ownership_;  // of the foreground window, as last read
};

}  // namespace rzv
