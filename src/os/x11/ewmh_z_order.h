#pragma once

#include <xcb/xcb.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/window_z_order.h"

namespace rzv {

// The band on an EWMH window manager: the foreground window is the root's _NET_ACTIVE_WINDOW,
// and _NET_WM_STATE client messages add or remove _NET_WM_STATE_ABOVE.
//
// It costs nothing while nothing changes. Asking the server every second would cost a round
// trip and the wake-ups that go with it, and a request that changes nothing still makes the
// window manager restack and tell every client: instead this connection hears of the property
// changes of the root (the foreground), of the foreground window and of ours (their states),
// and nothing reads them until the keeper's next tick drains them without waiting. What it
// knows of a window it reads once; a request goes out only where it changes a state.
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
    // _NET_WM_WINDOW_TYPE DOCK, DESKTOP, a menu, a tooltip, COMBO or NOTIFICATION, read once for
    // each new foreground window.
    bool isDesktopFurniture(WindowHandle window) override;
    void leaveTopBand(WindowHandle window) override { requestAbove(window, false); }
    void enterTopBand(WindowHandle window) override { requestAbove(window, true); }

    // The atoms it names, in the order of kAtomNames.
    enum Atom {
        Supported,
        ActiveWindow,
        WmState,
        WmStateAbove,
        WmWindowType,
        FirstFurniture,
        LastFurniture = FirstFurniture + 7,
        FirstOrdinary,
        LastOrdinary = FirstOrdinary + 5,
        AtomCount,
    };

  private:
    // What is known of a window: each part read when first asked, the state again after the
    // window manager changed it.
    struct Facts {
        std::optional<WindowHandle> owner;
        std::optional<bool> furniture, above;
    };
    EwmhZOrder(xcb_connection_t* connection, xcb_window_t root, const xcb_atom_t* atoms);
    void requestAbove(WindowHandle window, bool above);
    Facts& factsOf(WindowHandle window);
    void drainEvents();
    bool readAbove(WindowHandle window);
    bool readFurniture(WindowHandle window);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t atoms_[AtomCount];
    bool listening_ = false;         // to the root's property changes
    bool foregroundChanged_ = true;  // until the first read
    WindowHandle foreground_ = 0;
    WindowHandle entered_ = 0;  // the window last put into the band: ours
    // The windows heard of: the foreground and those the band was asked for (ours).
    std::map<WindowHandle, Facts> facts_;
};

}  // namespace rzv
