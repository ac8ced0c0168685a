#include "os/x11/ewmh_z_order.h"

#include "platform/os_parts.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace rzv {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

constexpr const char* kAtomNames[] = {
    "_NET_SUPPORTED", "_NET_ACTIVE_WINDOW", "_NET_WM_STATE", "_NET_WM_STATE_ABOVE",
    "_NET_WM_WINDOW_TYPE",
    // The desktop's own windows, which stand above the others by design.
    "_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE_MENU",
    "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_WINDOW_TYPE_TOOLTIP", "_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_WINDOW_TYPE_NOTIFICATION",
    // Programs' own windows.
    "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_UTILITY",
    "_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_SPLASH", "_NET_WM_WINDOW_TYPE_DND"};
static_assert(std::size(kAtomNames) == EwmhZOrder::AtomCount, "a name for every atom");

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

// A property that lists atoms, in its order; empty when it is missing or of another form.
std::vector<xcb_atom_t> atomsIn(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name) {
    const auto list = property(c, window, name, XCB_ATOM_ATOM, 4096);
    if (!list || list->type != XCB_ATOM_ATOM || list->format != 32) return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
    return {atoms, atoms + xcb_get_property_value_length(list.get()) / 4};
}

bool contains(const std::vector<xcb_atom_t>& atoms, xcb_atom_t wanted) {
    for (const xcb_atom_t atom : atoms)
        if (atom == wanted) return true;
    return false;
}

void hearOf(xcb_connection_t* c, WindowHandle window, uint32_t mask) {
    xcb_change_window_attributes(c, static_cast<xcb_window_t>(window), XCB_CW_EVENT_MASK, &mask);
}

}  // namespace

EwmhZOrder::EwmhZOrder(xcb_connection_t* connection, xcb_window_t root, const xcb_atom_t* atoms)
    : connection_(connection), root_(root) {
    std::memcpy(atoms_, atoms, sizeof atoms_);
}

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
    // All asked at once: one round trip.
    xcb_intern_atom_cookie_t cookies[AtomCount];
    for (int i = 0; i < AtomCount; ++i)
        cookies[i] = xcb_intern_atom(
            connection, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
    xcb_atom_t atoms[AtomCount];
    for (int i = 0; i < AtomCount; ++i) {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    const auto supported = atomsIn(connection, screen->root, atoms[Supported]);
    if (!contains(supported, atoms[ActiveWindow]) || !contains(supported, atoms[WmStateAbove]))
        return refuse();
    return std::unique_ptr<EwmhZOrder>(new EwmhZOrder(connection, screen->root, atoms));
}

void EwmhZOrder::drainEvents() {
    if (xcb_connection_has_error(connection_)) foregroundChanged_ = true;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* notice = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (notice->window == root_ && notice->atom == atoms_[ActiveWindow])
                foregroundChanged_ = true;
            const auto known = facts_.find(notice->window);
            if (known != facts_.end() && notice->atom == atoms_[WmState])
                known->second.above.reset();
        }
        std::free(event);  // errors too: a window that went while it was heard of
    }
}

WindowHandle EwmhZOrder::foregroundWindow() {
    if (!listening_) {
        // Heard of only from now on: a keeper that never ticks must not let them pile up. The
        // read below comes after this request, so a later change always leaves a notice.
        hearOf(connection_, root_, XCB_EVENT_MASK_PROPERTY_CHANGE);
        listening_ = true;
    }
    drainEvents();
    if (!foregroundChanged_) return foreground_;
    foregroundChanged_ = false;
    // One WINDOW of format 32, or no foreground at all: 0, as under Xwayland while a native
    // Wayland window has the focus (the property stays put then, so it costs no reads). The
    // window it names may be gone already; a request about a gone window is simply dropped.
    const WindowHandle previous = foreground_;
    foreground_ = windowIn(connection_, root_, atoms_[ActiveWindow]);
    if (previous != foreground_ && previous != entered_ && facts_.erase(previous) != 0)
        hearOf(connection_, previous, XCB_EVENT_MASK_NO_EVENT);
    return foreground_;
}

EwmhZOrder::Facts& EwmhZOrder::factsOf(WindowHandle window) {
    const auto [known, added] = facts_.try_emplace(window);
    // Heard of before the first read, so that no change after it goes unnoticed.
    if (added) hearOf(connection_, window, XCB_EVENT_MASK_PROPERTY_CHANGE);
    return known->second;
}

WindowHandle EwmhZOrder::ownerOf(WindowHandle window) {
    Facts& facts = factsOf(window);
    if (!facts.owner)
        facts.owner =
            windowIn(connection_, static_cast<xcb_window_t>(window), XCB_ATOM_WM_TRANSIENT_FOR);
    return *facts.owner;
}

bool EwmhZOrder::isDesktopFurniture(WindowHandle window) {
    if (window == 0) return false;
    Facts& facts = factsOf(window);
    if (!facts.furniture) facts.furniture = readFurniture(window);
    return *facts.furniture;
}

// The first type of the list that the keeper knows decides, as the window manager reads it.
bool EwmhZOrder::readFurniture(WindowHandle window) {
    for (const xcb_atom_t type :
         atomsIn(connection_, static_cast<xcb_window_t>(window), atoms_[WmWindowType])) {
        for (int i = FirstFurniture; i <= LastFurniture; ++i)
            if (type == atoms_[i]) return true;
        for (int i = FirstOrdinary; i <= LastOrdinary; ++i)
            if (type == atoms_[i]) return false;
    }
    return false;
}

bool EwmhZOrder::readAbove(WindowHandle window) {
    return contains(atomsIn(connection_, static_cast<xcb_window_t>(window), atoms_[WmState]),
                    atoms_[WmStateAbove]);
}

void EwmhZOrder::requestAbove(WindowHandle window, bool above) {
    if (window == 0) return;
    if (above) entered_ = window;
    Facts& facts = factsOf(window);
    if (!facts.above) facts.above = readAbove(window);
    if (*facts.above == above) return;
    // Taken as done: the window manager's notice of the change makes it read again.
    facts.above = above;
    constexpr uint32_t kRemove = 0, kAdd = 1, kFromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = atoms_[WmState];
    message.data.data32[0] = above ? kAdd : kRemove;
    message.data.data32[1] = atoms_[WmStateAbove];
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
