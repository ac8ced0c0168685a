// Which window system the Qt front end opens its window on.
//
// A Wayland desktop lets no program place its window, read its place or keep it above the
// others. Most Wayland desktops run an X server beside it (Xwayland) for older programs, and
// there the window keeps its place and Always On Top works as on any X11 desktop. So on a Wayland
// session with an X server the program runs through X11, unless the user chose a platform.
#pragma once

#include <functional>
#include <string>

namespace rzv {

// What the session and the user say, each empty when not given.
struct WindowSystemFacts {
    std::string qtPlatform;        // QT_QPA_PLATFORM
    std::string platformArgument;  // -platform NAME on the command line
    std::string waylandDisplay;    // WAYLAND_DISPLAY
    std::string sessionType;       // XDG_SESSION_TYPE
    std::string xDisplay;          // DISPLAY
};

// True when the window should open through X11 although the toolkit would take Wayland.
// `xServerAnswers` is asked only when everything else speaks for X11, so that no other start
// pays for a connection.
bool runThroughX11(const WindowSystemFacts& facts, const std::function<bool()>& xServerAnswers);

}  // namespace rzv
