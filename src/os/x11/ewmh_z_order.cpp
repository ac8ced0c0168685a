#include "os/x11/ewmh_z_order.h"

#include "platform/os_parts.h"

#include <cstdlib>
#include <cstring>

namespace rzv {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

ReplyPtr<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type, uint32_t items) {
    return ReplyPtr<xcb_get_property_reply_t>(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, items), nullptr),
        &std::free);
}

// A property that names one window, or 0 when it is missing or of another form.
WindowHandle windowIn(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name) {
    const auto value = property(c, window, name, XCB_ATOM_WINDOW, 1);
    if (!value || value->type != XCB_ATOM_WINDOW || value->format != 32 ||
        xcb_get_property_value_length(value.get()) != 4)
        return 0;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(value.get()));
}

bool supports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t supported, xcb_atom_t wanted) {
    const auto list = property(c, root, supported, XCB_ATOM_ATOM, 4096);
    if (!list || list->type != XCB_ATOM_ATOM || list->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == wanted) return true;
    return false;
}

}  // namespace

std::unique_ptr<EwmhZOrder> EwmhZOrder::create() {
    // Window ids are the same on every connection to a display, so the keeper needs none of the
    // toolkit's.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const auto refuse = [connection] {
        xcb_disconnect(connection);
        return nullptr;
    };
    if (xcb_connection_has_error(connection)) return refuse();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return refuse();
    const Atoms atoms{atom(connection, "_NET_SUPPORTED"), atom(connection, "_NET_ACTIVE_WINDOW"),
                      atom(connection, "_NET_WM_STATE"), atom(connection, "_NET_WM_STATE_ABOVE")};
    const xcb_window_t root = screen->root;
    if (!supports(connection, root, atoms.supported, atoms.activeWindow) ||
        !supports(connection, root, atoms.supported, atoms.wmStateAbove))
        return refuse();
    return std::unique_ptr<EwmhZOrder>(new EwmhZOrder(connection, root, atoms));
}

WindowHandle EwmhZOrder::foregroundWindow() {
    if (!foreground_) {
        // Heard of only from now on: a keeper that never ticks must not let them pile up. The
        // read below comes after this request, so a later change always leaves a notice.
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    } else if (!foregroundChanged()) {
        return *foreground_;
    }
    foreground_ = readForeground();
    ownership_.reset();
    return *foreground_;
}

WindowHandle EwmhZOrder::ownerOf(WindowHandle window) {
    if (ownership_ && ownership_->window == window) return ownership_->owner;
    ownership_ = Ownership{window, windowIn(connection_, static_cast<xcb_window_t>(window),
                                            XCB_ATOM_WM_TRANSIENT_FOR)};
    return ownership_->owner;
}

bool EwmhZOrder::foregroundChanged() {
    bool changed = xcb_connection_has_error(connection_) != 0;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == atoms_.activeWindow)
            changed = true;
        std::free(event);
    }
    return changed;
}

WindowHandle EwmhZOrder::readForeground() {
    // One WINDOW of format 32, or no foreground at all: 0, as under Xwayland while a native
    // Wayland window has the focus (the property stays put then, so it costs no reads). The
    // window it names may be gone already; a request about a gone window is simply dropped by
    // the window manager.
    return windowIn(connection_, root_, atoms_.activeWindow);
}

void EwmhZOrder::requestAbove(WindowHandle window, bool above) {
    if (window == 0) return;
    constexpr uint32_t kRemove = 0, kAdd = 1, kFromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = atoms_.wmState;
    message.data.data32[0] = above ? kAdd : kRemove;
    message.data.data32[1] = atoms_.wmStateAbove;
    message.data.data32[3] = kFromApplication;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

std::unique_ptr<WindowZOrder> os::makeWindowZOrder() {
    if (auto ewmh = EwmhZOrder::create()) return ewmh;
    return std::make_unique<NoWindowZOrder>();
}

}  // namespace rzv
