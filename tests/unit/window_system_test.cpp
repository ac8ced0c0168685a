#include "wiring/window_system.h"

#include <gtest/gtest.h>

namespace rzv {
namespace {

TEST(WindowSystemTest, aWaylandSessionRunsThroughX11OnlyWhenAnXServerAnswersAndNobodyChose) {
    struct Case {
        const char* what;
        WindowSystemFacts facts;
        bool answers;
        bool x11;
        bool asked;
    };
    const Case cases[] = {
        {"GNOME with Xwayland", {"", "", "wayland-0", "wayland", ":0"}, true, true, true},
        {"Wayland socket only", {"", "", "wayland-0", "", ":1"}, true, true, true},
        {"session type only", {"", "", "", "wayland", ":1"}, true, true, true},
        {"Xwayland gone", {"", "", "wayland-0", "wayland", ":0"}, false, false, true},
        {"no DISPLAY", {"", "", "wayland-0", "wayland", ""}, true, false, false},
        {"QT_QPA_PLATFORM chosen",
         {"wayland", "", "wayland-0", "wayland", ":0"},
         true,
         false,
         false},
        {"-platform chosen", {"", "wayland", "wayland-0", "wayland", ":0"}, true, false, false},
        {"an X11 session", {"", "", "", "x11", ":0"}, true, false, false},
        {"a tty", {"", "", "", "tty", ""}, true, false, false},
    };
    for (const Case& c : cases) {
        bool asked = false;
        const bool x11 = runThroughX11(c.facts, [&] {
            asked = true;
            return c.answers;
        });
        EXPECT_EQ(x11, c.x11) << c.what;
        EXPECT_EQ(asked, c.asked) << c.what;
    }
}

}  // namespace
}  // namespace rzv
